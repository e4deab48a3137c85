#pragma once
// What a folder holds, entry by entry: the kind of each entry and, for a regular file,
// a checksum of its bytes, for a link where it points. Two snapshots taken before and
// after a run show every file the run lost, changed or made.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace curvist::testing {

using FolderSnapshot = std::map<std::string, std::string>;

// FNV-1a, 64 bits: enough to see any change a run could make to a file.
inline std::string checksum_of(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::uint64_t hash = 14695981039346656037ull;
  char buffer[65536];
  std::uint64_t size = 0;
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize index = 0; index < in.gcount(); ++index) {
      hash = (hash ^ static_cast<unsigned char>(buffer[index])) * 1099511628211ull;
    }
    size += static_cast<std::uint64_t>(in.gcount());
  }
  return "file " + std::to_string(size) + " bytes, " + std::to_string(hash);
}

inline FolderSnapshot snapshot_of(const std::filesystem::path& folder) {
  FolderSnapshot snapshot;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const auto name = entry.path().filename().string();
    struct stat status {};
    lstat(entry.path().c_str(), &status);
    if (S_ISLNK(status.st_mode))
      snapshot[name] = "link to " + std::filesystem::read_symlink(entry.path()).string();
    else if (S_ISDIR(status.st_mode))
      snapshot[name] = "folder";
    else if (S_ISFIFO(status.st_mode))
      snapshot[name] = "fifo";
    else if (S_ISREG(status.st_mode) && (status.st_mode & S_IRUSR) == 0)
      snapshot[name] = "unreadable file " + std::to_string(status.st_size) + " bytes";
    else if (S_ISREG(status.st_mode))
      snapshot[name] = checksum_of(entry.path());
    else
      snapshot[name] = "other";
  }
  return snapshot;
}

// The entries of `after` that `before` lacks.
inline std::vector<std::string> made_since(const FolderSnapshot& before,
                                           const FolderSnapshot& after) {
  std::vector<std::string> made;
  for (const auto& [name, kind] : after)
    if (!before.contains(name)) made.push_back(name);
  return made;
}

// Whether every entry of `before` is still in `after`, unchanged.
inline std::vector<std::string> lost_or_changed(const FolderSnapshot& before,
                                                const FolderSnapshot& after) {
  std::vector<std::string> damaged;
  for (const auto& [name, kind] : before) {
    const auto found = after.find(name);
    if (found == after.end() || found->second != kind) damaged.push_back(name);
  }
  return damaged;
}

}  // namespace curvist::testing
