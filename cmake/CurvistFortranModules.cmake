# The Fortran modules. Where their compiled form (.mod) is installed, relative to the prefix:
# curvist_fortran_module_dir. gfortran's .mod files can be read only by a gfortran of the
# same module format, so Debian keeps them in LIBDIR/fortran/gfortran-mod-N, N being that
# format's version. It is read from a module the compiler makes here.
if(CMAKE_Fortran_COMPILER_ID STREQUAL "GNU")
  set(probe ${PROJECT_BINARY_DIR}/fortran-module-format)
  file(MAKE_DIRECTORY ${probe})
  file(WRITE ${probe}/probe.f90 "module curvist_probe\nend module curvist_probe\n")
  execute_process(COMMAND ${CMAKE_Fortran_COMPILER} -c probe.f90 WORKING_DIRECTORY ${probe}
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  execute_process(COMMAND gzip -dc curvist_probe.mod WORKING_DIRECTORY ${probe}
    OUTPUT_VARIABLE module_header RESULT_VARIABLE unpacked ERROR_QUIET)
  if(NOT status EQUAL 0 OR NOT unpacked EQUAL 0 OR
     NOT module_header MATCHES "^GFORTRAN module version '([0-9]+)'")
    message(FATAL_ERROR "cannot tell the module format of ${CMAKE_Fortran_COMPILER}")
  endif()
  set(curvist_fortran_module_format gfortran-mod-${CMAKE_MATCH_1})
else()
  string(TOLOWER "${CMAKE_Fortran_COMPILER_ID}-${CMAKE_Fortran_COMPILER_VERSION}"
    curvist_fortran_module_format)
endif()
set(curvist_fortran_module_dir ${CMAKE_INSTALL_LIBDIR}/fortran/${curvist_fortran_module_format})

# The modules' sources, and the compiled modules as the build tree has them.
set(curvist_fortran_sources Curvist.f90 LoadPlotPack.f90 PgPlotPack.f90 PlotPack.f90)
list(TRANSFORM curvist_fortran_sources PREPEND ${PROJECT_SOURCE_DIR}/library/fortran/)
set(curvist_fortran_build_modules ${PROJECT_BINARY_DIR}/fortran-modules)
set(curvist_fortran_module_files)
foreach(module curvist loadplotpack pgplotpack plotpack)
  list(APPEND curvist_fortran_module_files ${curvist_fortran_build_modules}/${module}.mod)
endforeach()
