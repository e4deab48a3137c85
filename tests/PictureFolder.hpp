#pragma once
// A temporary folder that is the current directory for the length of a test; the
// directory before is restored and the folder removed afterwards.

#include <filesystem>
#include <set>
#include <string>

#include "TemporaryFolder.hpp"

namespace curvist::testing {

class PictureFolder {
 public:
  const std::filesystem::path& path() const { return folder_.path(); }

  // The names in the folder, hidden ones included.
  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path()))
      names.insert(entry.path().filename().string());
    return names;
  }

 private:
  TemporaryFolder folder_;
  // Left before the folder is removed.
  ScopedCurrentFolder inside_{folder_.path()};
};

}  // namespace curvist::testing
