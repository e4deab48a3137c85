# Installs the programs, the shared library, its headers (C++ and C), the Fortran modules,
# a CMake package (find_package(Curvist) gives Curvist::curvist and Curvist::fortran),
# pkg-config files, the Python module, the README and the manual pages, in four
# components: programs, library, development and python (one Debian package each).

include(CMakePackageConfigHelpers)

install(TARGETS curvist EXPORT CurvistTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
    NAMELINK_COMPONENT development
  # Debian ships shared libraries without the execute bits.
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(TARGETS curvist-program curvist-trace
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
# The library's own program that draws its pictures, private to it: in the folder
# "curvist<N>" of the library folder, where both the shared library and the programs find
# it (Debian's place for a library's private programs, /usr/lib/<multiarch>/curvist0).
install(TARGETS curvist-picture
  RUNTIME DESTINATION ${CMAKE_INSTALL_LIBDIR}/${curvist_picture_folder} COMPONENT library)

# The library's interface, and only that: the public headers (CurvistPublicHeaders.cmake)
# and the version header made from the project's version, under include/curvist in the
# folders they have under library/, since <curvist/Plot.hpp> includes
# "array/ColumnMajorView.hpp".
foreach(header IN LISTS curvist_public_headers)
  get_filename_component(folder ${CMAKE_INSTALL_INCLUDEDIR}/curvist/${header} DIRECTORY)
  install(FILES ${curvist_public_headers_source_dir}/${header} DESTINATION ${folder}
    COMPONENT development)
endforeach()
install(FILES ${curvist_public_include_dir}/curvist/Version.hpp
  ${curvist_public_headers_source_dir}/${curvist_public_c_header}
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/curvist COMPONENT development)

# The CMake package finds its files relative to itself: it can be moved with the prefix.
set(curvist_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Curvist)
install(EXPORT CurvistTargets NAMESPACE Curvist::
  DESTINATION ${curvist_cmake_dir} COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/CurvistConfig.cmake.in
  ${PROJECT_BINARY_DIR}/CurvistConfig.cmake
  INSTALL_DESTINATION ${curvist_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/CurvistConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/CurvistConfig.cmake ${PROJECT_BINARY_DIR}/CurvistConfigVersion.cmake
  DESTINATION ${curvist_cmake_dir} COMPONENT development)

# The Fortran modules: their static library, the compiled modules where the system's
# gfortran reads them, and their sources beside the C header, for other compilers.
if(CURVIST_FORTRAN)
  install(TARGETS curvist-fortran EXPORT CurvistTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
  install(FILES ${curvist_fortran_module_files} DESTINATION ${curvist_fortran_module_dir}
    COMPONENT development)
  install(FILES ${curvist_fortran_sources} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/curvist/fortran
    COMPONENT development)
endif()

# The Python module, where the system's Python finds modules of the prefix.
if(CURVIST_PYTHON)
  install(TARGETS curvist-python LIBRARY DESTINATION ${CURVIST_INSTALL_PYTHONDIR} COMPONENT python
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()

# curvist.pc (and curvist-fortran.pc) name the prefix they are installed into, which
# cmake --install --prefix may choose only at install time (blanks escaped, as pkg-config
# reads them); their other folders are relative to that prefix, so that pkg-config
# --define-prefix finds a moved installation.
set(curvist_pc_files curvist)
set(CMAKE_INSTALL_FMODDIR "")
if(CURVIST_FORTRAN)
  list(APPEND curvist_pc_files curvist-fortran)
  set(CMAKE_INSTALL_FMODDIR ${curvist_fortran_module_dir})
endif()
foreach(folder LIBDIR INCLUDEDIR FMODDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${folder}}")
    set(curvist_pc_${folder} ${CMAKE_INSTALL_${folder}})
  else()
    set(curvist_pc_${folder} "\${prefix}/${CMAKE_INSTALL_${folder}}")
  endif()
endforeach()
# A build with the sanitizers: the programs that link its libraries link their runtime,
# which must come first.
list(JOIN curvist_sanitizer_options " " curvist_pc_sanitizer_options)
foreach(pc_file IN LISTS curvist_pc_files)
  install(CODE "
    get_filename_component(CURVIST_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
    string(REPLACE \" \" [[\\ ]] CURVIST_PC_PREFIX \"\${CURVIST_PC_PREFIX}\")
    set(CURVIST_PC_LIBDIR [[${curvist_pc_LIBDIR}]])
    set(CURVIST_PC_INCLUDEDIR [[${curvist_pc_INCLUDEDIR}]])
    set(CURVIST_PC_FMODDIR [[${curvist_pc_FMODDIR}]])
    set(CURVIST_PC_VERSION ${PROJECT_VERSION})
    set(CURVIST_PC_SANITIZER_OPTIONS [[${curvist_pc_sanitizer_options}]])
    configure_file([[${PROJECT_SOURCE_DIR}/packaging/${pc_file}.pc.in]]
      [[${PROJECT_BINARY_DIR}/pkgconfig/${pc_file}.pc]] @ONLY)"
    COMPONENT development)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${pc_file}.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR}
  COMPONENT programs)

# Manual pages (and the Debian changelog) are installed compressed, as man-db and Debian
# expect them; -n keeps the compressed file the same from one build to the next.
function(curvist_compressed source compressed)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source})
  get_filename_component(name ${compressed} NAME)
  add_custom_target(gzip-${name} ALL DEPENDS ${compressed})
endfunction()

foreach(page curvist curvist-trace)
  curvist_compressed(${PROJECT_SOURCE_DIR}/docs/${page}.1 ${PROJECT_BINARY_DIR}/${page}.1.gz)
  install(FILES ${PROJECT_BINARY_DIR}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
    COMPONENT programs)
endforeach()

include(cmake/CurvistDebianPackages.cmake)
