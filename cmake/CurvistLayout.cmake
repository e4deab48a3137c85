# Where the installed files are relative to each other. Installed programs find their
# README from their own folder, so an installation works under any prefix
# (cmake --install --prefix). They carry the library's code themselves, so they need no
# run path, ldconfig or LD_LIBRARY_PATH to find it.

file(RELATIVE_PATH curvist_docdir_from_bindir ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DOCDIR})

# The build tree's programs sit one folder deep, as the installed ones do under the
# prefix: the source tree's README is linked where they look for it, so a build-tree run
# names that one.
get_filename_component(curvist_build_tree_readme
  ${PROJECT_BINARY_DIR}/driver/${curvist_docdir_from_bindir}/README.md ABSOLUTE)
cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${curvist_build_tree_readme} NORMALIZE
  curvist_readme_inside_build_tree)
if(curvist_readme_inside_build_tree)
  get_filename_component(curvist_build_tree_docdir ${curvist_build_tree_readme} DIRECTORY)
  file(MAKE_DIRECTORY ${curvist_build_tree_docdir})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/README.md ${curvist_build_tree_readme} SYMBOLIC)
else()
  message(STATUS "The documentation folder lies outside the build tree's layout: "
    "programs run from the build tree name ${curvist_build_tree_readme}")
endif()

# curvist-picture, the program that draws the pictures, is installed in the folder
# "curvist<N>" of the library folder, N the library's SONAME version: it speaks only to
# its own library, and the library of the next SONAME must be installable beside this one.
# The code that starts it finds it from its own file: beside the shared library, or from
# the folder of a program that carries the library's code. The build tree has it where
# its programs, one folder deep, find it.
set(curvist_picture_folder curvist${PROJECT_VERSION_MAJOR})
file(RELATIVE_PATH curvist_libdir_from_bindir ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
get_filename_component(curvist_build_tree_picture_dir
  ${PROJECT_BINARY_DIR}/driver/${curvist_libdir_from_bindir}/${curvist_picture_folder} ABSOLUTE)
cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${curvist_build_tree_picture_dir} NORMALIZE
  curvist_picture_inside_build_tree)
if(NOT curvist_picture_inside_build_tree)
  set(curvist_build_tree_picture_dir ${PROJECT_BINARY_DIR}/library/${curvist_picture_folder})
  message(STATUS "The library folder lies outside the build tree's layout: the build "
    "tree's programs cannot start curvist-picture from ${curvist_build_tree_picture_dir}")
endif()
