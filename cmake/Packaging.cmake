# The Debian package of the Unix half, made by CPack from what `cmake --install` puts in place:
# tavlo (with its descriptions), tavlo-apropos, narpo, libzelk.a with zelk.h, its pkg-config
# and CMake files, the manual pages and the bash completion, and the Debian documents. scripts/package.sh
# configures a build for the prefix /usr and runs cpack in it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The tavlo developers")
set(CPACK_PACKAGE_CONTACT "The tavlo developers <tavlo@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "look up Zarvex completion and reason codes")
# One paragraph in lines of at most 80 characters, as the package's control file wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "tavlo looks up the completion codes and reason codes of the Zarvex"
  "message-queuing middleware by value or by part of the symbolic name and shows"
  "what each means and what to do about it; tavlo-apropos finds codes by words of"
  "their descriptions. The package also holds narpo, which prints the name of a"
  "reason code, and the static library zelk that does the same for applications,"
  "with its header, pkg-config and CMake files.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tavlo.example.invalid/")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Stripping here would cut tavlo's text off; scripts/package.sh links the programs stripped
# (TAVLO_STRIP) instead.
set(CPACK_STRIP_FILES OFF)
# Compressed manual pages, the copyright file, the changelog and lintian's overrides.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/debian/finish.cmake)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
