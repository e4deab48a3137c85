#pragma once
// Window operations that record every call as a trace line. Sizes and font metrics are
// simulated: every window reports the same size in cells, the console its own, and the
// font info is the w and h of the last selected option text.

#include <ostream>

#include "window/FontOptions.hpp"
#include "window/WindowOperations.hpp"

namespace curvist {

// The screen the recorded windows pretend to have.
struct SimulatedScreen {
  WindowSize window_cells{100, 40};
  WindowSize console_cells{80, 30};
  // The first open_failures calls of open_window fail.
  int open_failures = 0;
};

class RecordingWindows final : public WindowOperations {
 public:
  explicit RecordingWindows(std::ostream& trace, SimulatedScreen screen = {})
      : trace_(trace), screen_(screen) {}

  int open_window(int unit, std::string_view file_name, std::string_view title) override;
  void focus_window(int unit) override;
  void initialise_fonts() override;
  void select_font(std::string_view options) override;
  FontInfo get_font_info() override;
  WindowSize query_window_size(int unit) override;
  void clear_screen(int area) override;
  void set_colour(int colour_index) override;
  void draw_rectangle(RectangleControl control, std::int16_t x1, std::int16_t y1, std::int16_t x2,
                      std::int16_t y2) override;
  void set_viewport(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) override;
  void set_window_mapping(bool invert, double x1, double y1, double x2, double y2) override;
  void move_to(double x, double y) override;
  void line_to(double x, double y) override;
  void set_pixel(double x, double y) override;
  void draw_text(std::string_view text) override;
  void set_text_colour(int colour_index) override;
  void set_text_mode(int mode) override;

 private:
  std::ostream& trace_;
  SimulatedScreen screen_;
  int failed_opens_ = 0;
  FontInfo font_;
};

}  // namespace curvist
