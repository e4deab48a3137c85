#pragma once
// What a file is as the system describes it, without reading it: which file the name
// leads to (device and inode), its size, and when its content and its description last
// changed. Two stamps alike mean nothing was written in between.

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>

namespace curvist {

struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  friend bool operator==(const FileStamp& one, const FileStamp& other);
};

// Nothing when the name leads to no file (a link is followed).
std::optional<FileStamp> stamp_of(const std::string& name);

}  // namespace curvist
