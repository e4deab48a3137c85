#pragma once
// Drawing the curves of a screen plot point by point, in the colour and mapping the frame
// left current.

#include <cmath>
#include <cstddef>

#include "array/CurveRuns.hpp"
#include "plot/AxisValues.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::plot {

// Whether every curve's abscissae as drawn never decrease; only then are the points of a
// matrix plot joined. Equal neighbours are fine, and so is a gap: no line joins a point
// that cannot be placed.
template <typename Element>
bool abscissae_in_order(const CurveRuns<Element>& curves, const AxisValues<Element>& x_values) {
  for (std::size_t curve = 0; curve < curves.count; ++curve) {
    const auto xs = curves.x_of(curve);
    for (std::size_t point = 0; point + 1 < xs.size(); ++point) {
      const Element here = x_values(xs[point]);
      const Element next = x_values(xs[point + 1]);
      if (here > next && std::isfinite(here) && std::isfinite(next)) return false;
    }
  }
  return true;
}

// Every point gets one pixel; with join a line leads to it from the point before. On a
// logarithmic y axis a zero ordinate after the first point is passed over, so its
// neighbours are joined directly. A point that cannot be placed (not finite) is left out
// and the line breaks there.
template <typename Element>
void draw_curves(WindowOperations& windows, const CurveRuns<Element>& curves,
                 const AxisValues<Element>& x_values, const AxisValues<Element>& y_values,
                 bool join) {
  for (std::size_t curve = 0; curve < curves.count; ++curve) {
    const auto xs = curves.x_of(curve);
    const auto ys = curves.y_of(curve);
    bool start_stroke = true;
    for (std::size_t point = 0; point < xs.size(); ++point) {
      const Element y = ys[point];
      if (point > 0 && y_values.logarithmic && y == 0) continue;
      const double x_drawn = x_values(xs[point]);
      const double y_drawn = y_values(y);
      if (!std::isfinite(x_drawn) || !std::isfinite(y_drawn)) {
        start_stroke = start_stroke || join;
        continue;
      }
      if (start_stroke) {
        windows.move_to(x_drawn, y_drawn);
        start_stroke = false;
      } else if (join) {
        windows.line_to(x_drawn, y_drawn);
      }
      windows.set_pixel(x_drawn, y_drawn);
    }
  }
}

}  // namespace curvist::plot
