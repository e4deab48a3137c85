#pragma once
// A plot laid out to its window's size, kept by the window operations so that they can
// draw it again when the user resizes the window, and, where it can show a part of its
// data range, when the user explores it (zooms, pans, goes back).

#include <optional>
#include <string>
#include <string_view>

namespace curvist {

class WindowOperations;

// A data range a plot is laid out for, in the values it maps: decimal logarithms on a
// logarithmic axis.
struct PlotView {
  double xmin = 0;
  double xmax = 0;
  double ymin = 0;
  double ymax = 0;
  bool log_x = false;
  bool log_y = false;

  bool operator==(const PlotView&) const = default;
};

class RedrawablePlot {
 public:
  virtual ~RedrawablePlot() = default;

  // Draws the plot afresh, as a plot of its own, into a new window opened as `unit` of
  // `windows`, laid out to the size that window has. Uses nothing but `windows`; may run
  // on any thread, also while the plot it was kept from goes on elsewhere.
  virtual void draw(WindowOperations& windows, int unit) const = 0;

  // The range `draw` lays the plot out for; none for a plot that cannot show a part of
  // its range, whose window cannot be explored.
  virtual std::optional<PlotView> whole_view() const { return std::nullopt; }
  // Draws the plot as `draw` does, laid out by the same rules for the view's range, the
  // curves cut off at the plot's frame.
  virtual void draw_view(WindowOperations& windows, int unit, const PlotView& /*view*/) const {
    draw(windows, unit);
  }
  // What files saved of the window are named after: the data file without its extension,
  // or the plot's title where it has none.
  virtual std::string saved_name() const { return "plot"; }
  // Writes the view as a picture named `file_name`, as the program writes its pictures,
  // through the current platform: on the program's own thread only.
  virtual void write_picture(const PlotView& /*view*/, std::string_view /*file_name*/) const {}
};

}  // namespace curvist
