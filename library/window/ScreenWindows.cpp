#include "window/ScreenWindows.hpp"

#include <string>

#include "window/OffscreenWindows.hpp"
#include "window/X11Windows.hpp"

namespace curvist {

std::unique_ptr<WindowOperations> make_screen_windows(ErrorStream& errors) {
  std::string reason;
  if (auto windows =
          X11Windows::connect(reason, X11Windows::PixelTransfer::shared_memory_when_local, errors))
    return windows;
  errors.write_line("curvist: " + reason + "; the screen plots are drawn offscreen and not shown");
  // Never shown, and read back by nobody: a window's pixels go once it is done with.
  return std::make_unique<OffscreenWindows>(ScreenSize{}, LeftWindowPixels::given_back);
}

}  // namespace curvist
