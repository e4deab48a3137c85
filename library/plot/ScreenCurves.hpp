#pragma once
// Drawing the curves of a screen plot point by point, in the colour and mapping the frame
// left current.

#include <array>
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
// and the line breaks there. The points go to the windows a batch at a time.
template <typename Element>
void draw_curves(WindowOperations& windows, const CurveRuns<Element>& curves,
                 const AxisValues<Element>& x_values, const AxisValues<Element>& y_values,
                 bool join) {
  constexpr std::size_t batch = 4096;
  std::array<double, batch> batch_x;
  std::array<double, batch> batch_y;
  std::size_t batched = 0;
  bool batch_starts_stroke = false;
  const auto hand_on = [&] {
    if (batched == 0) return;
    windows.draw_points({batch_x.data(), batched}, {batch_y.data(), batched}, join,
                        batch_starts_stroke);
    batched = 0;
  };
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
        hand_on();
        start_stroke = start_stroke || join;
        continue;
      }
      // A stroke only starts at the start of a batch: the batch before was handed on.
      if (batched == 0) batch_starts_stroke = start_stroke;
      batch_x[batched] = x_drawn;
      batch_y[batched] = y_drawn;
      ++batched;
      start_stroke = false;
      if (batched == batch) hand_on();
    }
    hand_on();
  }
}

}  // namespace curvist::plot
