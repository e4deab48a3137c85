#pragma once
// Wakes a thread that waits in poll(): any thread writes a byte into the pipe, and the
// thread that polls its read end drains it before it looks at what changed. A wake-up is
// never lost, and the pipe never fills up with them: a full pipe holds one already.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/FileDescriptor.hpp"

namespace curvist {

class WakePipe {
 public:
  // Throws std::system_error, saying which pipe it is, when the system gives none.
  explicit WakePipe(const char* which) : pipe_(make_pipe(O_NONBLOCK)) {
    if (!pipe_.read_end) throw std::system_error(errno, std::generic_category(), which);
  }

  void wake() {
    const char byte = 1;
    [[maybe_unused]] const auto written = write(pipe_.write_end.get(), &byte, 1);
  }

  // The end to poll: readable once woken.
  int descriptor() const { return pipe_.read_end.get(); }

  // Takes every wake-up sent so far.
  void drain() {
    char drained[64];
    while (read(pipe_.read_end.get(), drained, sizeof drained) > 0) {
    }
  }

 private:
  Pipe pipe_;
};

}  // namespace curvist
