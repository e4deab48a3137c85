#pragma once
// The pixel size of a screen plot's drawing area: fixed sizes by resolution class, or
// measured from the window's size in text cells.

#include "console/Console.hpp"
#include "plot/PlotWindow.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::plot {

struct DrawingArea {
  int width = 0;   // W
  int height = 0;  // H
  // The window's size in cells it was measured from; none for a fixed size.
  WindowSize measured_cells;
};

// A resolution of 3 or more, 2 and 1 gives fixed sizes; 0 or less measures the plot window
// window_counter (a window of its own) or the console window in Terminal cells, and
// reports the measure on the console while the first window of the run is in use
// (first_window).
DrawingArea drawing_area(WindowOperations& windows, Console& console,
                         const ScreenPlacement& placement, int window_counter, bool first_window);

}  // namespace curvist::plot
