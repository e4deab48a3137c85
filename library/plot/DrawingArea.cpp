#include "plot/DrawingArea.hpp"

#include <algorithm>

#include "fortranformat/IntegerEditing.hpp"
#include "plot/ScreenFonts.hpp"

namespace curvist::plot {
namespace {

// Pixel coordinates are 16-bit.
constexpr long long largest_extent = 32767;

// The two heights of resolution 1 are not a slip: 416 pixels is the layout tuned for a
// window of the plot's own, 435 the one tuned for the console window a plot without one
// draws into. Plots of both kinds rely on their height.
DrawingArea fixed_size(int resolution, bool own_window) {
  if (resolution >= 3) return {1382, 943, {}};
  if (resolution == 2) return {1024, 663, {}};
  return {796, own_window ? 416 : 435, {}};
}

// Sizes of common window shapes nudged to the layouts they were tuned for.
DrawingArea corrected(DrawingArea area) {
  if (area.width == 704)
    area.width = 709;
  else if (area.width == 792)
    area.width = 796;
  else if (area.width == 576)
    area.width = 580;
  if (area.height == 400)
    area.height = 398;
  else if (area.height == 208)
    area.height = 216;
  else if (area.height == 264)
    area.height = 270;
  return area;
}

}  // namespace

DrawingArea drawing_area(WindowOperations& windows, Console& console,
                         const ScreenPlacement& placement, int window_counter, bool first_window) {
  if (placement.resolution >= 1) return fixed_size(placement.resolution, placement.own_window);
  windows.select_font(terminal_font);
  const auto font = windows.get_font_info();
  const auto cells = windows.query_window_size(placement.own_window ? window_counter : 0);
  const auto width = std::clamp(static_cast<long long>(cells.columns) * font.width, -largest_extent,
                                largest_extent);
  const auto height = std::clamp(static_cast<long long>(cells.rows) * (font.height + 4),
                                 -largest_extent, largest_extent);
  if (first_window) {
    console.write_line(" resx = " + fortranformat::edit_integer(width, 4) +
                       " ; resy = " + fortranformat::edit_integer(height, 4));
    console.write_line(" ");
  }
  // A measure that leaves no room to draw (no Terminal font, so no cell width; a window
  // without cells) would make the layout divide by zero or run backwards: the plot is
  // then laid out on the standard size instead.
  constexpr int border = 7;
  DrawingArea area = width <= border || height <= border
                         ? fixed_size(1, placement.own_window)
                         : corrected({static_cast<int>(width), static_cast<int>(height), cells});
  area.measured_cells = cells;
  return area;
}

}  // namespace curvist::plot
