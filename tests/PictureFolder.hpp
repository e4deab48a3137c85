#pragma once
// A temporary folder that is the current directory for the length of a test; the
// directory before is restored and the folder removed afterwards.

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace curvist::testing {

class PictureFolder {
 public:
  PictureFolder() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "curvist-pictures-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = pattern;
    std::filesystem::current_path(path_);
  }
  ~PictureFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    std::filesystem::remove_all(path_);
  }
  PictureFolder(const PictureFolder&) = delete;
  PictureFolder& operator=(const PictureFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // The names in the folder, hidden ones included.
  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.insert(entry.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

inline std::string file_contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace curvist::testing
