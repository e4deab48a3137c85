#include "window/ConsoleSize.hpp"

#include <sys/ioctl.h>
#include <unistd.h>

namespace curvist {

WindowSize console_size() {
  for (const int descriptor : {STDOUT_FILENO, STDERR_FILENO, STDIN_FILENO}) {
    winsize size{};
    if (ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0)
      return {size.ws_col, size.ws_row};
  }
  return {80, 30};
}

}  // namespace curvist
