#include "plot/ScreenFrame.hpp"

#include <algorithm>
#include <cstdint>

#include "plot/ScreenFonts.hpp"

namespace curvist::plot {
namespace {

constexpr int frame_colour = 5;
constexpr int background_colour = 1;
constexpr int axis_colour = 14;
constexpr int console_text_colour = 2;

std::int16_t pixel(int coordinate) {
  return static_cast<std::int16_t>(std::clamp(coordinate, -32768, 32767));
}

}  // namespace

void draw_frame(WindowOperations& windows, DrawingArea area, bool reuse_window) {
  if (reuse_window) {
    windows.set_colour(background_colour);
    windows.draw_rectangle(RectangleControl::filled, 0, 0, pixel(area.width), pixel(area.height));
    return;
  }
  windows.clear_screen(0);
  windows.set_colour(frame_colour);
  windows.draw_rectangle(RectangleControl::outline, 1, 1, pixel(area.width), pixel(area.height));
  windows.set_colour(background_colour);
  windows.draw_rectangle(RectangleControl::filled, 4, 4, pixel(area.width - 3),
                         pixel(area.height - 3));
}

void set_mapping(WindowOperations& windows, const ScreenLayout& layout) {
  windows.set_viewport(4, 4, pixel(layout.area.width - 3), pixel(layout.area.height - 3));
  windows.set_window_mapping(true, layout.XLO, layout.YLO, layout.XHI, layout.YHI);
}

void draw_axes(WindowOperations& windows, const ScreenLayout& layout) {
  const double X0 = layout.X0, Y0 = layout.Y0, XLO = layout.XLO, XHI = layout.XHI, YLO = layout.YLO,
               YHI = layout.YHI, PX = layout.PX, PY = layout.PY;
  windows.set_colour(axis_colour);
  windows.move_to(XLO, Y0);
  windows.line_to(XHI, Y0);
  windows.move_to(X0, YLO);
  windows.line_to(X0, YHI);
  windows.move_to(XHI - 4 * PX, Y0 + 4 * PY);
  windows.line_to(XHI, Y0);
  windows.line_to(XHI - 4 * PX, Y0 - 4 * PY);
  windows.move_to(X0 + 4 * PX, YHI - 4 * PY);
  windows.line_to(X0, YHI);
  windows.line_to(X0 - 4 * PX, YHI - 4 * PY);
}

void set_up_text(WindowOperations& windows) {
  windows.select_font(label_font);
  windows.set_text_colour(console_text_colour);
}

}  // namespace curvist::plot
