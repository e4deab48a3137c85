#include "plot/PlotWindow.hpp"

namespace curvist::plot {

void get_plot_window(WindowOperations& windows, Console& console, const ScreenPlacement& placement,
                     TextField<120>& title, int& window_counter) {
  if (!placement.own_window) return;
  if (placement.reuse_window) {
    windows.focus_window(window_counter);
    return;
  }
  ++window_counter;
  if (title.is_blank()) title.assign("Representation of the data");
  // A window that cannot be opened yet may open a moment later; there is no other way to
  // show the plot, so the attempts go on.
  while (windows.open_window(window_counter, "USER", without_blanks_around(title.view())) != 0) {
    console.write_line(" Problem when opening the window ... will try again in 1 sec.");
    console.sleep_seconds(1);
  }
  windows.focus_window(window_counter);
}

}  // namespace curvist::plot
