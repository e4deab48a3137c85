#pragma once
// The graphics window operations the screen plotter draws through. Units number the
// windows (unit 0 is the console); calls act on the active window. Pixel coordinates
// count from the top-left corner of the viewport; window coordinates are those set by
// set_window_mapping over the viewport. Results are reported, never relied on.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace curvist {

class RedrawablePlot;

struct FontInfo {
  int width = 0;  // pixels; 0 for a proportional face
  int height = 0;
};

struct WindowSize {
  int columns = 0;  // character cells
  int rows = 0;
};

enum class RectangleControl : int { outline = 2, filled = 3 };

class WindowOperations {
 public:
  virtual ~WindowOperations() = default;

  // Status 0 when a new window bound to the unit opened, with the title as its caption.
  virtual int open_window(int unit, std::string_view file_name, std::string_view title) = 0;
  virtual void focus_window(int unit) = 0;
  virtual void initialise_fonts() = 0;
  // Option text such as "t'Terminal'h12w8": t'face', hN pixel height, wN pixel width.
  virtual void select_font(std::string_view options) = 0;
  virtual FontInfo get_font_info() = 0;
  virtual WindowSize query_window_size(int unit) = 0;
  virtual void clear_screen(int area) = 0;
  virtual void set_colour(int colour_index) = 0;
  virtual void draw_rectangle(RectangleControl control, std::int16_t x1, std::int16_t y1,
                              std::int16_t x2, std::int16_t y2) = 0;
  virtual void set_viewport(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) = 0;
  // x1..x2 and y1..y2 cover the viewport; invert: y grows upwards.
  virtual void set_window_mapping(bool invert, double x1, double y1, double x2, double y2) = 0;
  virtual void move_to(double x, double y) = 0;
  virtual void line_to(double x, double y) = 0;
  virtual void set_pixel(double x, double y) = 0;
  // A curve's points in order, each given its pixel; with `join`, each joined by a line
  // from the point before it, the first from the current position unless it
  // `starts_stroke`. Exactly move_to (a stroke's start) or line_to, then set_pixel, point
  // by point, which is what it does here; a surface may draw the same pixels at once.
  virtual void draw_points(std::span<const double> x, std::span<const double> y, bool join,
                           bool starts_stroke);
  // Top-left corner at the current position, current colour, background untouched.
  virtual void draw_text(std::string_view text) = 0;
  virtual void set_text_colour(int colour_index) = 0;
  virtual void set_text_mode(int mode) = 0;

  // End of a run: keeps the plot windows on screen until the user has closed them.
  // Nothing to wait for where nothing is shown.
  virtual void keep_windows_until_closed() {}

  // Whether the user can resize these windows. Only then is a plot laid out to its
  // window worth keeping (follow_resizes).
  virtual bool windows_follow_resizes() const { return false; }
  // The plot just drawn into the unit was laid out to the window's size, measured as
  // laid_out_for: when the user resizes the window, `plot` draws it again at the new
  // size, for as long as nothing else draws into the window. reused_window: the plot
  // reused the window (REUSEWINDOW) rather than opening it.
  virtual void follow_resizes(int /*unit*/, WindowSize /*laid_out_for*/, bool /*reused_window*/,
                              std::shared_ptr<const RedrawablePlot> /*plot*/) {}

  // Draws `plot` in the place of what the unit's window shows: what the plot drawn alone
  // shows in a new window of the window's present size, under the title it gives that
  // window. The window keeps its unit, its place and its size, and where windows can be
  // resized it follows its size with `plot` from then on. The active window and the
  // colour and font the program draws with are left as they were. False, with nothing
  // drawn, when the unit has no window shown (never opened, withdrawn, or closed by the
  // user: it stays closed).
  virtual bool replace_plot(int unit, std::shared_ptr<const RedrawablePlot> plot);

  // Writes the pixels of the unit's window into a PNG file. False, with the reason, when
  // these windows keep no pixels, the unit has no window that kept its pixels, or the
  // file cannot be written.
  virtual bool write_png(int unit, std::string_view path, std::string& error);

  enum class WaitEnd {
    descriptor_ready,  // readable, or at its end
    time_up,           // or a signal came in between: the caller looks at its clock again
    windows_closed,    // the user closed the last window shown, or the display went away
  };
  // For a program that waits for its windows and for something else at once: keeps the
  // windows shown, as keep_windows_until_closed does, until `descriptor` is readable or
  // `limit` has passed (none: no limit). It ends early only once windows have been shown
  // and none is any more; while no window was ever shown (none opened yet, or no display)
  // only the descriptor and the limit end it.
  virtual WaitEnd keep_windows_while_waiting(int descriptor,
                                             std::optional<std::chrono::milliseconds> limit);
};

// Waits until `descriptor` is readable or `limit` has passed, nothing else.
WindowOperations::WaitEnd wait_for_descriptor(int descriptor,
                                              std::optional<std::chrono::milliseconds> limit);

}  // namespace curvist
