# tavlo-apropos: the search of the descriptions by words. It reads the text that the tavlo
# program carries, through the store module, and is installed beside it.
add_library(tavlo_apropos_core STATIC apropos.cpp)
target_include_directories(tavlo_apropos_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tavlo_apropos_core PUBLIC tavlo_cli_core tavlo::rank)

add_executable(tavlo-apropos apropos_main.cpp)
target_link_libraries(tavlo-apropos PRIVATE tavlo_apropos_core)
# Linked as tavlo is, so that the two start alike.
if(NOT TAVLO_SANITIZE AND NOT TAVLO_FUZZ)
  target_link_options(tavlo-apropos PRIVATE -static-libstdc++ -static-libgcc)
endif()
if(TAVLO_STRIP)
  target_link_options(tavlo-apropos PRIVATE -s)
endif()

install(TARGETS tavlo-apropos RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/man/tavlo-apropos.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
