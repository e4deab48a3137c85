#include "window/ScreenWindows.hpp"

#include <iostream>

#include "window/RecordingWindows.hpp"

// PLACEHOLDER: replaced by the X11 and offscreen windows.
namespace curvist {
std::unique_ptr<WindowOperations> make_screen_windows() {
  return std::make_unique<RecordingWindows>(std::cerr);
}
}  // namespace curvist
