# Installs the programs, the shared library with its headers, a CMake package
# (find_package(Curvist) gives Curvist::curvist), a pkg-config file, the README and
# the manual pages; and describes the Debian package CPack builds from them.

include(CMakePackageConfigHelpers)

# The programs find the library beside their own folder, wherever the prefix is.
set_target_properties(curvist-program curvist-trace PROPERTIES
  INSTALL_RPATH "$ORIGIN/${curvist_libdir_from_bindir}")

install(TARGETS curvist EXPORT CurvistTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS curvist-program curvist-trace RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The headers keep their folders: <curvist/Plot.hpp> includes "array/ColumnMajorView.hpp".
install(DIRECTORY ${PROJECT_SOURCE_DIR}/library/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/curvist
  FILES_MATCHING PATTERN "*.hpp")

# The CMake package finds its files relative to itself: it can be moved with the prefix.
install(EXPORT CurvistTargets NAMESPACE Curvist::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Curvist)
configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/CurvistConfig.cmake.in
  ${PROJECT_BINARY_DIR}/CurvistConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Curvist)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/CurvistConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/CurvistConfig.cmake ${PROJECT_BINARY_DIR}/CurvistConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Curvist)

# curvist.pc names the prefix it is installed into, which cmake --install --prefix may
# choose only at install time (blanks escaped, as pkg-config reads them); its other
# folders are relative to that prefix, so that pkg-config --define-prefix finds a moved
# installation.
foreach(folder LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE ${CMAKE_INSTALL_${folder}})
    set(curvist_pc_${folder} ${CMAKE_INSTALL_${folder}})
  else()
    set(curvist_pc_${folder} "\${prefix}/${CMAKE_INSTALL_${folder}}")
  endif()
endforeach()
set(curvist_pc_file ${PROJECT_BINARY_DIR}/pkgconfig/curvist.pc)
install(CODE "
  get_filename_component(CURVIST_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
  string(REPLACE \" \" [[\\ ]] CURVIST_PC_PREFIX \"\${CURVIST_PC_PREFIX}\")
  set(CURVIST_PC_LIBDIR [[${curvist_pc_LIBDIR}]])
  set(CURVIST_PC_INCLUDEDIR [[${curvist_pc_INCLUDEDIR}]])
  set(CURVIST_PC_VERSION ${PROJECT_VERSION})
  configure_file([[${PROJECT_SOURCE_DIR}/packaging/curvist.pc.in]] [[${curvist_pc_file}]] @ONLY)")
install(FILES ${curvist_pc_file} DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Manual pages are installed compressed, as man-db and Debian expect them; -n keeps the
# compressed file the same from one build to the next.
function(curvist_compressed source compressed)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source})
  get_filename_component(name ${compressed} NAME)
  add_custom_target(gzip-${name} ALL DEPENDS ${compressed})
endfunction()

foreach(page curvist curvist-trace)
  curvist_compressed(${PROJECT_SOURCE_DIR}/docs/${page}.1 ${PROJECT_BINARY_DIR}/${page}.1.gz)
  install(FILES ${PROJECT_BINARY_DIR}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

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
