#pragma once
// The size of the console the program was started from, in characters.

#include "window/WindowOperations.hpp"

namespace curvist {

// The terminal's columns and rows, or 80 by 30 when the program has no terminal.
WindowSize console_size();

}  // namespace curvist
