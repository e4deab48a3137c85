#include "window/PlotViews.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace curvist {
namespace {

double coordinate_of(const AxisMapping& mapping, double pixel) {
  return (pixel - mapping.offset) / mapping.scale;
}

// One value with the significant digits that a step of `pixel_step` (in the mapped values)
// resolves: on a logarithmic axis the step is relative.
std::string resolved(double mapped, double pixel_step, bool logarithmic) {
  // Adding zero makes a negative zero a plain one.
  const double value = (logarithmic ? std::pow(10.0, mapped) : mapped) + 0.0;
  const double step = logarithmic ? std::numbers::ln10 * pixel_step * std::abs(value) : pixel_step;
  int digits = 17;
  if (step > 0 && std::isfinite(step)) {
    const double largest = std::max(std::abs(value), step);
    digits = static_cast<int>(std::floor(std::log10(largest)) - std::floor(std::log10(step))) + 1;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", std::clamp(digits, 1, 17), value);
  return text;
}

// The viewport's middle pixel when the pixel is outside it.
double pixel_inside(int pixel, int low, int high) {
  return pixel >= low && pixel <= high ? pixel : (low + high) / 2.0;
}

}  // namespace

std::string values_at_pixel(const DrawingState& drawing, const PlotView& view, int x, int y) {
  if (!drawing.has_window_bounds || !drawing.viewport.contains(x, y)) return {};
  const double x_step = 1.0 / std::abs(drawing.map_x.scale);
  const double y_step = 1.0 / std::abs(drawing.map_y.scale);
  return "x = " + resolved(coordinate_of(drawing.map_x, x), x_step, view.log_x) +
         "  y = " + resolved(coordinate_of(drawing.map_y, y), y_step, view.log_y);
}

std::optional<PlotView> view_of_rectangle(const DrawingState& drawing, const PlotView& view,
                                          const PixelRectangle& rectangle) {
  constexpr int fewest_pixels = 5;
  if (!drawing.has_window_bounds || rectangle.x2 - rectangle.x1 + 1 < fewest_pixels ||
      rectangle.y2 - rectangle.y1 + 1 < fewest_pixels)
    return std::nullopt;
  const double x1 = coordinate_of(drawing.map_x, rectangle.x1);
  const double x2 = coordinate_of(drawing.map_x, rectangle.x2);
  const double y1 = coordinate_of(drawing.map_y, rectangle.y1);
  const double y2 = coordinate_of(drawing.map_y, rectangle.y2);
  PlotView zoomed = view;
  zoomed.xmin = std::min(x1, x2);
  zoomed.xmax = std::max(x1, x2);
  zoomed.ymin = std::min(y1, y2);
  zoomed.ymax = std::max(y1, y2);
  return zoomed;
}

PlotView zoomed_about(const DrawingState& drawing, const PlotView& view, int x, int y,
                      double factor) {
  const PixelRectangle& inside = drawing.viewport;
  const double centre_x = coordinate_of(drawing.map_x, pixel_inside(x, inside.x1, inside.x2));
  const double centre_y = coordinate_of(drawing.map_y, pixel_inside(y, inside.y1, inside.y2));
  PlotView zoomed = view;
  zoomed.xmin = centre_x + (view.xmin - centre_x) * factor;
  zoomed.xmax = centre_x + (view.xmax - centre_x) * factor;
  zoomed.ymin = centre_y + (view.ymin - centre_y) * factor;
  zoomed.ymax = centre_y + (view.ymax - centre_y) * factor;
  return zoomed;
}

PlotView panned(const PlotView& view, int right, int up) {
  const double x_shift = (view.xmax - view.xmin) / 10 * right;
  const double y_shift = (view.ymax - view.ymin) / 10 * up;
  PlotView moved = view;
  moved.xmin += x_shift;
  moved.xmax += x_shift;
  moved.ymin += y_shift;
  moved.ymax += y_shift;
  return moved;
}

bool resolvable(const PlotView& view, int pixels) {
  // The layout's ticks and labels take some digits beyond the pixels' own.
  constexpr double spare_digits = 1000;
  const auto axis = [pixels](double low, double high, bool logarithmic) {
    // A logarithm's value must stay within what 64 bits hold.
    constexpr double largest_logarithm = 300;
    if (logarithmic && !(std::abs(low) < largest_logarithm && std::abs(high) < largest_logarithm))
      return false;
    const double range = high - low;
    const double largest = std::max(std::abs(low), std::abs(high));
    return std::isfinite(range) && range > 0 && std::isfinite(1 / range) &&
           range > largest * std::numeric_limits<double>::epsilon() * pixels * spare_digits &&
           range < std::numeric_limits<double>::max() / 4;
  };
  return axis(view.xmin, view.xmax, view.log_x) && axis(view.ymin, view.ymax, view.log_y);
}

}  // namespace curvist
