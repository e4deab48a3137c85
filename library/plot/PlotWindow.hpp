#pragma once
// Which window a screen plot draws into: the active one, the one opened last, or a new
// one opened as the next unit (retried every second until it opens).

#include "console/Console.hpp"
#include "text/TextField.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::plot {

// window_counter holds the unit of the last window opened and grows with each new one; a
// blank title becomes "Representation of the data" when a window is opened. The retry
// message and its sleep go to the console.
void get_plot_window(WindowOperations& windows, Console& console, bool OWNWINDOW, bool REUSEWINDOW,
                     TextField<120>& title, int& window_counter);

}  // namespace curvist::plot
