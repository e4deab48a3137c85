#pragma once
// The window operations of a real run: X11 windows when a display can be reached,
// otherwise offscreen surfaces, with one error line saying so.

#include <memory>

#include "console/ErrorStream.hpp"
#include "window/WindowOperations.hpp"

namespace curvist {

// `errors`: where that line and the windows' troubles are told.
std::unique_ptr<WindowOperations> make_screen_windows(ErrorStream& errors = standard_error());

}  // namespace curvist
