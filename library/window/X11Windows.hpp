#pragma once
// Window operations shown on an X11 display. Every unit is a top-level window titled by
// its caption; all drawing goes to the unit's offscreen surface, and a presenter thread
// with the only connection to the X server shows it.
//
// This is the face of four parts, each with a job of its own:
// - SharedWindows: the offscreen windows the program draws into, and what goes with
//   them, under the drawing lock. Every drawing call is one locked call of the offscreen
//   windows, after which the presenter is woken for what it changed.
// - X11Presenter: the presenter's thread and the X protocol. A drawing call only touches
//   memory; the presenter shows what changed a few milliseconds later, while the program
//   goes on (or waits for the user), without a round trip per call. It also repaints
//   exposed windows, follows resizing and the window manager's close button, and holds a
//   window back while lines the user reads before it are still owed (pictures finished
//   in the background).
// - ResizeRedrawer: a window whose plot was laid out to its size is drawn again when the
//   user resizes it, on a thread of its own, so that neither the program nor the
//   presenter waits for it.
// - ScreenStatus: what the presenter and the redrawer tell the program's thread, and the
//   waits of the program (for a presentation, for the user to close the windows).
//
// A window closed by the user stays closed; drawing into its unit goes on harmlessly.
// If the X server goes away, drawing goes on offscreen and one line on standard error
// says so.

#include <memory>
#include <optional>
#include <string>

#include "window/OffscreenWindows.hpp"
#include "window/ResizeRedrawer.hpp"
#include "window/ScreenStatus.hpp"
#include "window/SharedWindows.hpp"
#include "window/WindowEvents.hpp"
#include "window/WindowOperations.hpp"
#include "window/X11Presenter.hpp"

struct _XDisplay;

namespace curvist {

class X11Windows final : public WindowOperations, private WindowEvents {
 public:
  enum class PixelTransfer {
    shared_memory_when_local,  // through the connection where the server cannot share
    through_connection,
  };

  // Connects to the display DISPLAY names; null with the reason when it cannot. `errors`:
  // where the troubles of the windows are told.
  static std::unique_ptr<X11Windows> connect(
      std::string& reason, PixelTransfer transfer = PixelTransfer::shared_memory_when_local,
      ErrorStream& errors = standard_error());
  ~X11Windows() override;
  X11Windows(const X11Windows&) = delete;
  X11Windows& operator=(const X11Windows&) = delete;

  int open_window(int unit, std::string_view file_name, std::string_view title) override;
  void focus_window(int unit) override;
  void initialise_fonts() override { shared_.draw(&OffscreenWindows::initialise_fonts); }
  void select_font(std::string_view options) override {
    shared_.draw(&OffscreenWindows::select_font, options);
  }
  FontInfo get_font_info() override { return shared_.draw(&OffscreenWindows::get_font_info); }
  WindowSize query_window_size(int unit) override {
    return shared_.draw(&OffscreenWindows::query_window_size, unit);
  }
  void clear_screen(int area) override { shared_.draw(&OffscreenWindows::clear_screen, area); }
  void set_colour(int colour_index) override {
    shared_.draw(&OffscreenWindows::set_colour, colour_index);
  }
  void draw_rectangle(RectangleControl control, std::int16_t x1, std::int16_t y1, std::int16_t x2,
                      std::int16_t y2) override {
    shared_.draw(&OffscreenWindows::draw_rectangle, control, x1, y1, x2, y2);
  }
  void set_viewport(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) override {
    shared_.draw(&OffscreenWindows::set_viewport, x1, y1, x2, y2);
  }
  void set_window_mapping(bool invert, double x1, double y1, double x2, double y2) override {
    shared_.draw(&OffscreenWindows::set_window_mapping, invert, x1, y1, x2, y2);
  }
  void move_to(double x, double y) override { shared_.draw(&OffscreenWindows::move_to, x, y); }
  void line_to(double x, double y) override { shared_.draw(&OffscreenWindows::line_to, x, y); }
  void set_pixel(double x, double y) override { shared_.draw(&OffscreenWindows::set_pixel, x, y); }
  void draw_points(std::span<const double> x, std::span<const double> y, bool join,
                   bool starts_stroke) override {
    shared_.draw(&OffscreenWindows::draw_points, x, y, join, starts_stroke);
  }
  void draw_text(std::string_view text) override {
    shared_.draw(&OffscreenWindows::draw_text, text);
  }
  void set_text_colour(int colour_index) override {
    shared_.draw(&OffscreenWindows::set_text_colour, colour_index);
  }
  void set_text_mode(int mode) override { shared_.draw(&OffscreenWindows::set_text_mode, mode); }

  // Returns when the user has closed the last window still on screen (at once when there
  // is none, or when the display is gone).
  void keep_windows_until_closed() override;

  bool windows_follow_resizes() const override { return status_.resizes_followed(); }
  void follow_resizes(int unit, WindowSize laid_out_for, bool reused_window,
                      std::shared_ptr<const RedrawablePlot> plot) override {
    redrawer_.follow(unit, laid_out_for, reused_window, std::move(plot));
  }
  // The plot is drawn on the calling thread, apart from the window, which shows what it
  // showed until the new pixels take its place whole.
  bool replace_plot(int unit, std::shared_ptr<const RedrawablePlot> plot) override;
  WaitEnd keep_windows_while_waiting(int descriptor,
                                     std::optional<std::chrono::milliseconds> limit) override;
  bool write_png(int unit, std::string_view path, std::string& error) override {
    bool written = false;
    inspect([&](OffscreenWindows& windows) { written = windows.write_png(unit, path, error); });
    return written;
  }

  // Returns once everything drawn so far has reached the X server.
  void present() { status_.await_presentation(shared_.presenter_wake()); }
  bool display_lost() { return status_.lost(); }
  // Known once the presenter has sent pixels: after present().
  bool pixels_in_shared_memory() const { return presenter_.pixels_in_shared_memory(); }

  // Runs inspect(surfaces) while no drawing or presentation can happen.
  template <typename Inspect>
  void inspect(Inspect&& inspect) {
    shared_.locked([&](DrawnWindows& windows) { inspect(windows.offscreen); });
  }

 private:
  X11Windows(_XDisplay* display, PixelTransfer transfer, ErrorStream& errors);

  // What both waits for the user do first.
  void settle_before_waiting();

  // The answers to what the user does to the windows (on the presenter's thread).
  void resized(int unit, int width, int height) override;
  void closed(int unit) override;
  // Those to a user exploring a plot, X11WindowsExploring.cpp.
  bool explorable(int unit) override;
  std::string values_under_pointer(int unit, int x, int y) override;
  std::string explore(int unit, const ExploreRequest& request) override;
  // The unit's plot, if its window can be explored.
  std::optional<KeptPlots::Explored> explored(int unit);
  // Writes the window's pixels beside the plot's file; a word for the title.
  std::string save_pixels(int unit, const std::string& stem);

  // In this order: each part is handed those before it, and goes before them.
  ScreenStatus status_;
  SharedWindows shared_;
  ResizeRedrawer redrawer_;
  X11Presenter presenter_;
};

}  // namespace curvist
