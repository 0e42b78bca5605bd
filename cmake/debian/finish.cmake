# Run by CPack after it has installed the files into its staging folder and before it builds
# the .deb (CPACK_PRE_BUILD_SCRIPTS): the manual pages are compressed and the Debian
# documents added, as Debian's policy asks of a package. A plain `cmake --install` keeps the
# pages as they are.
#   CPACK_TEMPORARY_INSTALL_DIRECTORY  the staging folder (set by CPack)
# The documents are taken from this script's folder: copyright, changelog, lintian-overrides.
set(TAVLO_DEBIAN_DIR ${CMAKE_CURRENT_LIST_DIR})
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
find_program(GZIP gzip REQUIRED)

file(GLOB_RECURSE pages ${root}/share/man/*.[1-9])
foreach(page IN LISTS pages)
  # -n leaves out the name and time, so the same page gives the same bytes.
  execute_process(COMMAND ${GZIP} -9nf ${page} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(doc ${root}/share/doc/tavlo)
file(MAKE_DIRECTORY ${doc} ${root}/share/lintian/overrides)
file(COPY_FILE ${TAVLO_DEBIAN_DIR}/copyright ${doc}/copyright)
file(COPY_FILE ${TAVLO_DEBIAN_DIR}/changelog ${doc}/changelog)
execute_process(COMMAND ${GZIP} -9nf ${doc}/changelog COMMAND_ERROR_IS_FATAL ANY)
file(COPY_FILE ${TAVLO_DEBIAN_DIR}/lintian-overrides ${root}/share/lintian/overrides/tavlo)
file(CHMOD_RECURSE ${root}/share/doc ${root}/share/lintian FILE_PERMISSIONS OWNER_READ
     OWNER_WRITE GROUP_READ WORLD_READ DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE
     OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
