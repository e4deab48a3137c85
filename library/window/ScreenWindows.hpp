#pragma once
// The window operations of a real run: X11 windows when a display can be reached,
// otherwise offscreen surfaces, with one line on standard error saying so.

#include <memory>

#include "window/WindowOperations.hpp"

namespace curvist {

std::unique_ptr<WindowOperations> make_screen_windows();

}  // namespace curvist
