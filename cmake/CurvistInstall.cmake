# Installs the programs, the shared library with its headers, a CMake package
# (find_package(Curvist) gives Curvist::curvist), a pkg-config file, the README and
# the manual page; and describes the Debian package CPack builds from them.

include(CMakePackageConfigHelpers)

install(TARGETS curvist EXPORT CurvistTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS curvist-program curvist-trace RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The headers keep their folders: <curvist/Plot.hpp> includes "array/ColumnMajorView.hpp".
install(DIRECTORY ${PROJECT_SOURCE_DIR}/library/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/curvist
  FILES_MATCHING PATTERN "*.hpp")

install(EXPORT CurvistTargets NAMESPACE Curvist::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Curvist)
configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/CurvistConfig.cmake.in
  ${PROJECT_BINARY_DIR}/CurvistConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Curvist)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/CurvistConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/CurvistConfig.cmake ${PROJECT_BINARY_DIR}/CurvistConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Curvist)

configure_file(${PROJECT_SOURCE_DIR}/packaging/curvist.pc.in ${PROJECT_BINARY_DIR}/curvist.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/curvist.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Manual pages are installed compressed, as man-db and Debian expect them.
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/curvist.1.gz
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/docs/curvist.1 > ${PROJECT_BINARY_DIR}/curvist.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/curvist.1)
add_custom_target(curvist-manual-page ALL DEPENDS ${PROJECT_BINARY_DIR}/curvist.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/curvist.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME curvist)
set(CPACK_PACKAGE_VENDOR "Curvist")
set(CPACK_PACKAGE_CONTACT "Curvist developers <curvist@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Quick-look plots of numeric data files, on screen and in PostScript")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The monospaced face of the screen labels is found at run time, not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Started in a folder, curvist plots every data file there twice: in a window of its\n own on screen, laid out to the window's pixel size, and into a PostScript picture\n named after the file, through the PGPLOT library (giza). Its plotting modules are\n also a C++ library.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
