#pragma once
// A plot laid out to its window's size, kept by the window operations so that they can
// draw it again when the user resizes the window.

namespace curvist {

class WindowOperations;

class RedrawablePlot {
 public:
  virtual ~RedrawablePlot() = default;

  // Draws the plot afresh, as a plot of its own, into a new window opened as `unit` of
  // `windows`, laid out to the size that window has. Uses nothing but `windows`; may run
  // on any thread, also while the plot it was kept from goes on elsewhere.
  virtual void draw(WindowOperations& windows, int unit) const = 0;
};

}  // namespace curvist
