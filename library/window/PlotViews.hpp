#pragma once
// The arithmetic of exploring a plot in its window: the data values under a pixel, as
// the title shows them, and the views a rectangle, the wheel and the arrow keys ask for.
// Plain functions of the window's mapping (what the plot drawn last set up) and a view.

#include <optional>
#include <string>

#include "window/PixelSurface.hpp"
#include "window/RedrawablePlot.hpp"
#include "window/WindowUnit.hpp"

namespace curvist {

// "x = 2.35  y = -0.117": the values under the pixel's centre in the axes' own units (the
// value, not its logarithm, on a logarithmic axis), each with the significant digits
// one pixel resolves. Empty outside the plot's viewport.
std::string values_at_pixel(const DrawingState& drawing, const PlotView& view, int x, int y);

// The view of the data range the rectangle of pixels covers; none when it is a few
// pixels or less on a side, too small to mean a zoom.
std::optional<PlotView> view_of_rectangle(const DrawingState& drawing, const PlotView& view,
                                          const PixelRectangle& rectangle);

// The view scaled by `factor` (below 1: in) about the values under the pixel, or about
// its middle when the pixel is outside the viewport.
PlotView zoomed_about(const DrawingState& drawing, const PlotView& view, int x, int y,
                      double factor);

// The view moved by a tenth of its range, `right` and `up` tenths (either may be
// negative).
PlotView panned(const PlotView& view, int right, int up);

// Whether a plot can be laid out for the view: its ranges are finite, and wide enough
// that 64-bit values tell the pixels of a window of `pixels` on a side apart.
bool resolvable(const PlotView& view, int pixels);

}  // namespace curvist
