#include "files/RegularFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace curvist {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() {
    if (descriptor_ >= 0) close(descriptor_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

}  // namespace

bool is_regular_file(std::string_view path) {
  struct stat status {};
  return stat(std::string(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string why_no_regular_file(std::string_view path) {
  const std::string terminated(path);
  struct stat status {};
  if (stat(terminated.c_str(), &status) != 0) {
    const int error = errno;
    struct stat link {};
    if (error != ENOENT) return std::string("cannot be reached: ") + std::strerror(error);
    if (lstat(terminated.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
      return "a link to a missing file";
    return "no such file";
  }
  if (S_ISREG(status.st_mode)) return {};
  if (S_ISDIR(status.st_mode)) return "a directory";
  if (S_ISFIFO(status.st_mode)) return "a FIFO";
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "a device";
  if (S_ISSOCK(status.st_mode)) return "a socket";
  return "not a regular file";
}

std::optional<std::string> read_regular_file(std::string_view path) {
  const std::string terminated(path);
  // Checked before opening, so that opening never waits for a FIFO's writer; checked
  // again on the open file in case the path changed in between (the open does not block
  // either way: O_NONBLOCK).
  if (!is_regular_file(terminated)) return std::nullopt;
  const FileDescriptor file(open(terminated.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat status {};
  if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;

  try {
    std::string content;
    content.resize(std::size_t(status.st_size));
    std::size_t filled = 0;
    for (;;) {
      if (filled == content.size()) content.resize(content.size() + 65536);
      const ssize_t count = read(file.get(), content.data() + filled, content.size() - filled);
      if (count < 0) {
        if (errno == EINTR) continue;
        return std::nullopt;
      }
      if (count == 0) break;
      filled += std::size_t(count);
    }
    content.resize(filled);
    return content;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace curvist
