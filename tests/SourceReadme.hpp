#pragma once
// The README that programs run from the build tree name: the source tree's, with every
// link resolved.

#include <filesystem>
#include <string>

namespace curvist::testing {

inline std::string source_tree_readme() {
  return std::filesystem::canonical(std::filesystem::path(CURVIST_SOURCE_DIR) / "README.md")
      .string();
}

}  // namespace curvist::testing
