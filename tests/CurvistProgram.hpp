#pragma once
// What the tests that run the built curvist program share: the program itself, the
// smallest data file it plots, and lists of folder entries as its runs are judged by.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ChildProgram.hpp"

namespace curvist::testing {

using Names = std::vector<std::string>;

inline const std::filesystem::path curvist_program = CURVIST_PROGRAM;

// One curve of two points, with its captions and title.
constexpr std::string_view valid_data = "-1\n2\n0 0\n1 1\nx\ny\nTitle\n";

// Runs the program in `folder` until it ends or its deadline passes.
inline ChildResult run_curvist(const std::filesystem::path& folder,
                               const ChildSettings& settings = {}) {
  return run_child(curvist_program, folder, settings);
}

}  // namespace curvist::testing
