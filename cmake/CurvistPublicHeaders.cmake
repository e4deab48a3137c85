# The library's interface: the headers a program includes as <curvist/...>, each named by
# its path under library/, where it stays beside its source. They include one another by
# paths relative to themselves, and <curvist/Export.hpp> by that name, so they read the
# same in every tree of this layout: the installation (CurvistInstall.cmake installs this
# list, the C interface's header and the generated <curvist/Version.hpp>, and nothing
# else) and a build tree, where curvist_stage_public_headers links them into it.
set(curvist_public_headers
  Export.hpp
  LoadPlot.hpp
  PgPlot.hpp
  Plot.hpp
  array/ColumnMajorView.hpp
  console/Console.hpp
  files/TemporaryFileRemoval.hpp
  platform/PlatformChoice.hpp
  text/Blanks.hpp
  text/TextField.hpp
  text/Utf8Text.hpp)
# The C interface's header, beside its implementation in library/c/: a program includes
# it as <curvist/curvist.h>.
set(curvist_public_c_header c/curvist.h)
get_filename_component(curvist_public_headers_source_dir ${CMAKE_CURRENT_LIST_DIR}/../library
  ABSOLUTE)
# Where a build tree has them, as <curvist/Plot.hpp> and so on.
set(curvist_public_include_dir ${PROJECT_BINARY_DIR}/include)

# Links the public headers into the build tree's include/curvist, and removes the links of
# headers no longer on the list.
function(curvist_stage_public_headers)
  set(staged ${curvist_public_include_dir}/curvist)
  file(GLOB_RECURSE present LIST_DIRECTORIES false RELATIVE ${staged} ${staged}/*.hpp)
  foreach(header IN LISTS present)
    if(IS_SYMLINK ${staged}/${header} AND NOT header IN_LIST curvist_public_headers)
      file(REMOVE ${staged}/${header})
    endif()
  endforeach()
  foreach(header IN LISTS curvist_public_headers)
    get_filename_component(folder ${staged}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${curvist_public_headers_source_dir}/${header} ${staged}/${header} SYMBOLIC)
  endforeach()
  get_filename_component(c_header_name ${curvist_public_c_header} NAME)
  file(CREATE_LINK ${curvist_public_headers_source_dir}/${curvist_public_c_header}
    ${staged}/${c_header_name} SYMBOLIC)
endfunction()
