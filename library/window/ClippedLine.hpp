#pragma once
// Lines on the pixel grid: Bresenham's walk between two pixel centres, covering both end
// pixels, limited to a clip rectangle. Endpoints far outside the grid are first cut back
// along the line in floating point, so that no coordinate can overflow and no walk is
// longer than the clip rectangle is wide.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "window/PixelSurface.hpp"

namespace curvist {

// Beyond this distance from the origin an endpoint is cut back before rounding; inside it
// the line is walked exactly from its rounded endpoints.
inline constexpr double exact_line_range = 131072.0;

// Cuts the segment to the box; false when nothing of it lies inside. An endpoint
// outside is moved to the edge it crosses, computed from the other endpoint, so that a
// far endpoint costs no precision where the line meets the box.
inline bool cut_segment_to_box(double& x0, double& y0, double& x1, double& y1, double left,
                               double top, double right, double bottom) {
  enum : unsigned { to_left = 1, to_right = 2, above = 4, below = 8 };
  const auto outside = [&](double x, double y) {
    return (x < left ? to_left : 0u) | (x > right ? to_right : 0u) | (y < top ? above : 0u) |
           (y > bottom ? below : 0u);
  };
  unsigned code0 = outside(x0, y0);
  unsigned code1 = outside(x1, y1);
  // Each pass moves one endpoint onto an edge line; four passes per endpoint suffice.
  for (int pass = 0; pass < 8; ++pass) {
    if ((code0 | code1) == 0) return true;
    if ((code0 & code1) != 0) return false;
    const bool first = code0 != 0;
    double& x = first ? x0 : x1;
    double& y = first ? y0 : y1;
    const double other_x = first ? x1 : x0;
    const double other_y = first ? y1 : y0;
    const unsigned code = first ? code0 : code1;
    if (code & (to_left | to_right)) {
      const double edge = (code & to_left) ? left : right;
      y = other_y + (edge - other_x) * ((y - other_y) / (x - other_x));
      x = edge;
    } else {
      const double edge = (code & above) ? top : bottom;
      x = other_x + (edge - other_y) * ((x - other_x) / (y - other_y));
      y = edge;
    }
    if (first)
      code0 = outside(x0, y0);
    else
      code1 = outside(x1, y1);
  }
  return (code0 | code1) == 0;
}

// Walks the pixels from (x0, y0) to (x1, y1), both included, calling plot(x, y) for those
// inside the clip rectangle. Coordinates stay within a few times exact_line_range.
template <typename Plot>
void walk_clipped_line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                       const PixelRectangle& clip, Plot&& plot) {
  if (clip.empty()) return;
  if (std::max(x0, x1) < clip.x1 || std::min(x0, x1) > clip.x2 || std::max(y0, y1) < clip.y1 ||
      std::min(y0, y1) > clip.y2)
    return;
  const std::int64_t step_x = x0 < x1 ? 1 : -1;
  const std::int64_t step_y = y0 < y1 ? 1 : -1;
  const std::int64_t dx = x0 < x1 ? x1 - x0 : x0 - x1;
  const std::int64_t dy = -(y0 < y1 ? y1 - y0 : y0 - y1);
  std::int64_t error = dx + dy;
  const bool inside = clip.contains(static_cast<int>(x0), static_cast<int>(y0)) &&
                      clip.contains(static_cast<int>(x1), static_cast<int>(y1));
  // One step of the walk along the line towards (x1, y1).
  const auto advance = [&] {
    const std::int64_t doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x0 += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      y0 += step_y;
    }
  };
  if (inside) {
    for (;;) {
      plot(static_cast<int>(x0), static_cast<int>(y0));
      if (x0 == x1 && y0 == y1) return;
      advance();
    }
  }
  // Partly outside: a straight line crosses the rectangle at most once, so the walk ends
  // when it leaves after having entered.
  bool entered = false;
  for (;;) {
    const bool here = x0 >= clip.x1 && x0 <= clip.x2 && y0 >= clip.y1 && y0 <= clip.y2;
    if (here) {
      entered = true;
      plot(static_cast<int>(x0), static_cast<int>(y0));
    } else if (entered) {
      return;
    }
    if (x0 == x1 && y0 == y1) return;
    advance();
  }
}

}  // namespace curvist
