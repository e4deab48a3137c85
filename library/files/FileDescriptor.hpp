#pragma once
// A descriptor the holder owns: a file, a pipe's end, a socket, an inotify instance. It is
// closed when its holder lets it go, on every path, so no class closes descriptors by
// hand. Moving hands it on; what was moved from holds none.

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace curvist {

class FileDescriptor {
 public:
  FileDescriptor() noexcept = default;
  explicit FileDescriptor(int descriptor) noexcept : descriptor_(descriptor) {}
  FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~FileDescriptor() { reset(); }

  int get() const noexcept { return descriptor_; }
  explicit operator bool() const noexcept { return descriptor_ >= 0; }

  // Gives the descriptor up to a caller that closes it itself.
  int release() noexcept { return std::exchange(descriptor_, -1); }
  void reset(int descriptor = -1) noexcept {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = descriptor;
  }
  // Closes it now and tells whether the system took it: for a file being written, a
  // close that fails may be the first word of a write that did not reach the disk.
  bool close() noexcept { return descriptor_ < 0 || ::close(release()) == 0; }

 private:
  int descriptor_ = -1;
};

struct Pipe {
  FileDescriptor read_end;
  FileDescriptor write_end;
};

// A pipe whose ends no program the process starts inherits; both ends empty when the
// system refuses one. `flags` add to O_CLOEXEC (O_NONBLOCK, say).
inline Pipe make_pipe(int flags = 0) {
  int ends[2] = {-1, -1};
  if (pipe2(ends, O_CLOEXEC | flags) != 0) return {};
  return {FileDescriptor(ends[0]), FileDescriptor(ends[1])};
}

}  // namespace curvist
