# Window-free parts of the windowed tool, built on every host and tested natively: the
# resource builder (Make and Dump without the window), its command-line entry tavlo-mkres, and
# tavlo_attach_resource(), the build step that puts a description container into a program file.
set(TAVLO_GUI_DIR ${CMAKE_CURRENT_LIST_DIR})

add_library(tavlo_resbuild STATIC ${TAVLO_GUI_DIR}/resbuild.cpp ${TAVLO_GUI_DIR}/resbuild.h)
add_library(tavlo::resbuild ALIAS tavlo_resbuild)
target_include_directories(tavlo_resbuild PUBLIC ${TAVLO_GUI_DIR})
target_link_libraries(tavlo_resbuild PUBLIC tavlo::binres)

add_executable(tavlo-mkres ${TAVLO_GUI_DIR}/tools/tavlo-mkres.cpp)
target_link_libraries(tavlo-mkres PRIVATE tavlo::resbuild)

# tavlo_attach_resource(TARGET <exe-target> | HOST <file>  DATA <text-file>  OUTPUT <path>
#                       [NAME <custom-target>])
#
# After the program (TARGET) is linked, or from any host file (HOST), writes OUTPUT: a copy of
# the program with the container made from DATA appended by "tavlo-mkres make", and copies DATA
# beside it as "tavlodata-text.o", the maintenance window's default data file. A custom target
# (NAME, default <output-name>_resource) built by default drives it. The tool is built for the
# target: in a cross build it runs through CMAKE_CROSSCOMPILING_EMULATOR, which CMake puts in
# front of it. A failed Make fails the build and leaves no OUTPUT behind.
function(tavlo_attach_resource)
  cmake_parse_arguments(A "" "TARGET;HOST;DATA;OUTPUT;NAME" "" ${ARGN})
  if(A_TARGET)
    set(host $<TARGET_FILE:${A_TARGET}>)
    set(host_dep ${A_TARGET})
  elseif(A_HOST)
    set(host ${A_HOST})
    set(host_dep ${A_HOST})
  else()
    message(FATAL_ERROR "tavlo_attach_resource: TARGET or HOST is required")
  endif()
  if(NOT A_DATA OR NOT A_OUTPUT)
    message(FATAL_ERROR "tavlo_attach_resource: DATA and OUTPUT are required")
  endif()
  get_filename_component(out_dir ${A_OUTPUT} DIRECTORY)
  get_filename_component(out_name ${A_OUTPUT} NAME)
  if(NOT A_NAME)
    string(MAKE_C_IDENTIFIER "${out_name}_resource" A_NAME)
  endif()
  set(text_copy ${out_dir}/tavlodata-text.o)
  set(work ${A_OUTPUT}.building)
  add_custom_command(OUTPUT ${A_OUTPUT} ${text_copy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${host} ${work}
    COMMAND tavlo-mkres -q make ${work} ${A_DATA}
    COMMAND ${CMAKE_COMMAND} -E rename ${work} ${A_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E copy ${A_DATA} ${text_copy}
    DEPENDS ${host_dep} ${A_DATA} tavlo-mkres
    COMMENT "Attaching the descriptions of ${A_DATA} to ${out_name}"
    VERBATIM)
  add_custom_target(${A_NAME} ALL DEPENDS ${A_OUTPUT} ${text_copy})
endfunction()
