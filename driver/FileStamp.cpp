#include "FileStamp.hpp"

#include <sys/stat.h>

namespace curvist {
namespace {

bool same_time(const timespec& one, const timespec& other) {
  return one.tv_sec == other.tv_sec && one.tv_nsec == other.tv_nsec;
}

}  // namespace

bool operator==(const FileStamp& one, const FileStamp& other) {
  return one.device == other.device && one.inode == other.inode && one.size == other.size &&
         same_time(one.modified, other.modified) && same_time(one.changed, other.changed);
}

std::optional<FileStamp> stamp_of(const std::string& name) {
  struct stat status {};
  if (stat(name.c_str(), &status) != 0) return std::nullopt;
  return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

}  // namespace curvist
