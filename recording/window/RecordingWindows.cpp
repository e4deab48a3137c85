#include "window/RecordingWindows.hpp"

#include "trace/TraceLine.hpp"

namespace curvist {

int RecordingWindows::open_window(int unit, std::string_view file_name, std::string_view title) {
  int status = 0;
  if (failed_opens_ < screen_.open_failures) {
    ++failed_opens_;
    status = 1;
  }
  TraceLine("open_window")
      .number(unit)
      .quoted(file_name)
      .quoted(title)
      .results()
      .number(status)
      .write_to(trace_);
  return status;
}

void RecordingWindows::focus_window(int unit) {
  TraceLine("focus_window").number(unit).write_to(trace_);
}

void RecordingWindows::initialise_fonts() { TraceLine("initialise_fonts").write_to(trace_); }

void RecordingWindows::select_font(std::string_view options) {
  TraceLine("select_font").quoted(options).write_to(trace_);
  const auto parsed = parse_font_options(options);
  font_ = FontInfo{parsed.proportional ? 0 : parsed.width, parsed.height};
}

FontInfo RecordingWindows::get_font_info() {
  TraceLine("get_font_info").results().number(font_.width).number(font_.height).write_to(trace_);
  return font_;
}

WindowSize RecordingWindows::query_window_size(int unit) {
  const auto size = unit == 0 ? screen_.console_cells : screen_.window_cells;
  TraceLine("query_window_size")
      .number(unit)
      .results()
      .number(size.columns)
      .number(size.rows)
      .write_to(trace_);
  return size;
}

void RecordingWindows::clear_screen(int area) {
  TraceLine("clear_screen").number(area).write_to(trace_);
}

void RecordingWindows::set_colour(int colour_index) {
  TraceLine("set_colour").number(colour_index).write_to(trace_);
}

void RecordingWindows::draw_rectangle(RectangleControl control, std::int16_t x1, std::int16_t y1,
                                      std::int16_t x2, std::int16_t y2) {
  TraceLine("draw_rectangle")
      .number(static_cast<int>(control))
      .number(int{x1})
      .number(int{y1})
      .number(int{x2})
      .number(int{y2})
      .write_to(trace_);
}

void RecordingWindows::set_viewport(std::int16_t x1, std::int16_t y1, std::int16_t x2,
                                    std::int16_t y2) {
  TraceLine("set_viewport")
      .number(int{x1})
      .number(int{y1})
      .number(int{x2})
      .number(int{y2})
      .write_to(trace_);
}

void RecordingWindows::set_window_mapping(bool invert, double x1, double y1, double x2, double y2) {
  TraceLine("set_window_mapping")
      .flag(invert)
      .number(x1)
      .number(y1)
      .number(x2)
      .number(y2)
      .write_to(trace_);
}

void RecordingWindows::move_to(double x, double y) {
  TraceLine("move_to").number(x).number(y).write_to(trace_);
}

void RecordingWindows::line_to(double x, double y) {
  TraceLine("line_to").number(x).number(y).write_to(trace_);
}

void RecordingWindows::set_pixel(double x, double y) {
  TraceLine("set_pixel").number(x).number(y).write_to(trace_);
}

void RecordingWindows::draw_text(std::string_view text) {
  TraceLine("draw_text").quoted(text).write_to(trace_);
}

void RecordingWindows::set_text_colour(int colour_index) {
  TraceLine("set_text_colour").number(colour_index).write_to(trace_);
}

void RecordingWindows::set_text_mode(int mode) {
  TraceLine("set_text_mode").number(mode).write_to(trace_);
}

}  // namespace curvist
