#pragma once
// Which window a screen plot draws into: the active one, the one opened last, or a new
// one opened as the next unit (retried every second until it opens).

#include "console/Console.hpp"
#include "text/TextField.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::plot {

// Where a screen plot goes, and the size it is laid out to (the options RESOLUTION,
// OWNWINDOW and REUSEWINDOW).
struct ScreenPlacement {
  // 3 or more, 2 and 1: fixed sizes; 0 or less: the size of the window drawn into.
  int resolution = 1;
  // A window of its own, left open; otherwise the active window, and back to text after.
  bool own_window = false;
  // Of its own windows, the one opened last, drawn over.
  bool reuse_window = false;
};

// window_counter holds the unit of the last window opened and grows with each new one; a
// blank title becomes "Representation of the data" when a window is opened. The retry
// message and its sleep go to the console.
void get_plot_window(WindowOperations& windows, Console& console, const ScreenPlacement& placement,
                     TextField<120>& title, int& window_counter);

}  // namespace curvist::plot
