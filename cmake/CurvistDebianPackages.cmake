# The Debian packages that `cpack -G DEB` makes from the install components, in a build
# configured with -DCMAKE_INSTALL_PREFIX=/usr:
#   curvist          the programs, their manual pages and the README (component programs)
#   libcurvist<N>    the shared library, named after its SONAME, and curvist-picture, the
#                    program that draws its pictures (component library)
#   libcurvist-dev   headers (C++ and C), the .so link, the Fortran modules, the CMake
#                    package, the pkg-config files (component development)
#   python3-curvist  the Python module (component python)

get_target_property(curvist_soversion curvist SOVERSION)
# The screen text is drawn in DejaVu Sans Mono, found through fontconfig at run time, by
# the library and by the programs, which carry its code.
set(curvist_screen_font_package fonts-dejavu-core)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs library development)
if(CURVIST_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL python)
endif()
set(CPACK_PACKAGE_NAME curvist)
set(CPACK_PACKAGE_VENDOR "Curvist")
set(CPACK_PACKAGE_CONTACT "Curvist developers <curvist@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The packaging's own revision, after the hyphen of the package version; the latest entry
# of packaging/debian/changelog names the whole version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
# Dependencies on system libraries come from dpkg-shlibdeps; the library package gets a
# shlibs file, so that programs built against it depend on it in turn.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The Python module links libcurvist.so.0 of this build: dpkg-shlibdeps finds it here, and
# the module's package depends on the library package of its version (below).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/library)
# The development files need the library of exactly their own version: the headers
# describe that build. The programs link the library's code statically (they use its
# internals, which libcurvist.so does not export), but draw their pictures with the
# library package's curvist-picture, which speaks only to its own build: they need the
# library package of exactly their version too.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# Before 0.1.0-1 the package curvist held everything: the library's and the development
# files move out of it, so their packages replace that one's files.
set(curvist_single_package "curvist (<< 0.1.0-1)")

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME curvist)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS ${curvist_screen_font_package})
set(CPACK_COMPONENT_PROGRAMS_DEPENDS library)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION
  "quick-look plots of numeric data files, on screen and in PostScript
Started in a folder, curvist plots every data file there twice: in a window of
its own on screen, laid out to the window's pixel size, and into a PostScript
picture named after the file, through the PGPLOT library (giza).

curvist-trace prints every call a plotting operation makes, one line each.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libcurvist${curvist_soversion})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_BREAKS ${curvist_single_package})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_REPLACES ${curvist_single_package})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_DEPENDS ${curvist_screen_font_package})
# The dynamic linker's cache is updated by dpkg's ldconfig trigger. (CPack still adds
# ldconfig calls of its own to the maintainer scripts: redundant, and harmless.)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/triggers)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION
  "plotting modules of Curvist, quick-look plots of numeric data
The shared library that draws curves in a window of their own, laid out to the
window's pixel size, and into picture files through the PGPLOT library (giza):
PostScript, PNG, PDF, SVG and GIF. Its pictures are drawn by curvist-picture, a
program of its own, so that giza never runs inside the programs that use it.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libcurvist-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_BREAKS ${curvist_single_package})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_REPLACES ${curvist_single_package})
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
# The compiled Fortran modules are read by a gfortran of their module format alone: as
# Debian's dh_fortran_mod has it, the package depends on that format, the compiler that
# made them first.
if(CURVIST_FORTRAN)
  string(REGEX MATCH "^[0-9]+" curvist_fortran_major ${CMAKE_Fortran_COMPILER_VERSION})
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "gfortran-${curvist_fortran_major} | ${curvist_fortran_module_format}")
endif()
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "plotting modules of Curvist - development files
The C++ and C headers, the Fortran modules (curvist, LOADPLOTPACK, PGPLOTPACK,
PLOTPACK), the CMake package (find_package(Curvist)) and the pkg-config files
for programs that plot curves with the Curvist library, on screen and into
picture files through the PGPLOT library (giza).")

# The Python module is built for the Python version it was built with, and imports numpy.
if(CURVIST_PYTHON)
  math(EXPR curvist_next_python_minor "${Python_VERSION_MINOR} + 1")
  set(curvist_next_python_version ${Python_VERSION_MAJOR}.${curvist_next_python_minor})
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-curvist)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_COMPONENT_PYTHON_DEPENDS library)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3 (>= ${curvist_python_version}~), python3 (<< ${curvist_next_python_version}), python3-numpy")
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "plotting modules of Curvist - Python module
The module curvist draws numpy arrays of curves in a window of their own, laid
out to the window's pixel size, and into picture files through the PGPLOT
library (giza): plot, picture, load_plot and keep_windows_until_closed.")
endif()

# Every package carries the copyright and the changelog in a documentation folder named
# after it. They belong to the packages only: a plain installation leaves them out.
curvist_compressed(${PROJECT_SOURCE_DIR}/packaging/debian/changelog
  ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} component_variable)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
    ${PROJECT_BINARY_DIR}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${component_variable}_PACKAGE_NAME}
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

include(CPack)
