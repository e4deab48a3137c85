#pragma once
// Where the README is, for the banner and the usage text: in the installation the running
// program belongs to, wherever its prefix is, or in the source tree for a build-tree run.

#include <filesystem>

namespace curvist {

// The README as seen from `program`: README.md in the folder `docdir_from_program`,
// relative to the program's folder. A link there is followed (a build tree links the
// source tree's README into that place); without a file there the result is where an
// installation puts it.
std::filesystem::path readme_beside(const std::filesystem::path& program,
                                    const std::filesystem::path& docdir_from_program);

// The README of the running program; where the configured installation puts it when the
// program cannot find itself (no /proc).
std::filesystem::path readme_of_this_program();

}  // namespace curvist
