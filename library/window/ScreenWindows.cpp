#include "window/ScreenWindows.hpp"

#include <iostream>
#include <string>

#include "console/LinesInWaiting.hpp"
#include "window/OffscreenWindows.hpp"
#include "window/X11Windows.hpp"

namespace curvist {

std::unique_ptr<WindowOperations> make_screen_windows() {
  std::string reason;
  if (auto windows = X11Windows::connect(reason)) return windows;
  write_lines_in_waiting();
  std::cerr << "curvist: " << reason << "; the screen plots are drawn offscreen and not shown\n";
  // Never shown, and read back by nobody: a window's pixels go once it is done with.
  return std::make_unique<OffscreenWindows>(ScreenSize{}, LeftWindowPixels::given_back);
}

}  // namespace curvist
