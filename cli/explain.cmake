# tavlo-explain: explains the codes that the lines of logs mention. It reads the text that the
# tavlo program carries, through the store module, and is installed beside it.
add_library(tavlo_explain_core STATIC explain.cpp)
target_include_directories(tavlo_explain_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tavlo_explain_core PUBLIC tavlo_apropos_core)

add_executable(tavlo-explain explain_main.cpp)
target_link_libraries(tavlo-explain PRIVATE tavlo_explain_core)
if(NOT TAVLO_SANITIZE AND NOT TAVLO_FUZZ)
  target_link_options(tavlo-explain PRIVATE -static-libstdc++ -static-libgcc)
endif()
if(TAVLO_STRIP)
  target_link_options(tavlo-explain PRIVATE -s)
endif()

install(TARGETS tavlo-explain RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/man/tavlo-explain.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
