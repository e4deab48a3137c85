#pragma once
// What one unit's window holds: its pixels, its caption and client size, and the
// drawing state that belongs to a window (viewport, window mapping, current position).

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "window/PixelSurface.hpp"

namespace curvist {

// Window coordinates to surface pixels: pixel = coordinate * scale + offset.
struct AxisMapping {
  double scale = 1.0;
  double offset = 0.0;

  double pixel(double coordinate) const { return coordinate * scale + offset; }
};

struct WindowBounds {
  bool invert = false;
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
};

// Where drawing into a window lands: what the plot drawn last set up, and what the next
// drawing call in the window relies on.
struct DrawingState {
  // Drawing is clipped to the viewport (surface pixels); pixel coordinates count from
  // its origin.
  PixelRectangle viewport{0, 0, PixelSurface::largest_side - 1, PixelSurface::largest_side - 1};
  int viewport_width = 0;  // as set, before clipping
  int viewport_height = 0;
  int origin_x = 0;
  int origin_y = 0;
  bool has_window_bounds = false;
  WindowBounds window_bounds;
  AxisMapping map_x{1.0, 0.0};
  AxisMapping map_y{1.0, 0.0};

  // Current position in surface pixels; not finite after a move to a point that is not.
  double position_x = 0.0;
  double position_y = 0.0;
};

struct WindowUnit {
  // Null while the window is not shown: the console before graphics are drawn into it
  // and after it returned to text mode.
  std::unique_ptr<PixelSurface> surface;
  std::string title;
  int width = 0;  // client area in pixels
  int height = 0;

  DrawingState drawing;

  // Counters that tell a window shown on screen what to follow.
  unsigned title_version = 0;
  unsigned raise_version = 0;
  // Counts the calls that changed the window's pixels or drawing state: a plot kept to
  // draw the window again is only what the window shows while this stays as it was
  // after the plot.
  unsigned drawing_version = 0;

  // Where drawing into the window can land: the whole window, and beyond it up to
  // PixelSurface::largest_side on a side (a plot of a fixed size larger than the window).
  PixelRectangle grid() const {
    const auto side = [](int window_side) {
      return std::min(std::max(window_side, PixelSurface::largest_side),
                      PixelSurface::largest_window_side);
    };
    return {0, 0, side(width) - 1, side(height) - 1};
  }
};

}  // namespace curvist
