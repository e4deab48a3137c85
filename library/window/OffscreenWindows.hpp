#pragma once
// Window operations drawn into in-memory pixel surfaces, one per unit, with the same
// pixels a window on screen shows: pixel-exact lines, pixels and rectangles without
// antialiasing, clipped to the viewport, text in cell-scaled fonts. Used alone where
// there is no display, and under the X11 windows as what they show.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "window/Palette.hpp"
#include "window/PixelSurface.hpp"
#include "window/TextFonts.hpp"
#include "window/WindowOperations.hpp"
#include "window/WindowRedraw.hpp"
#include "window/WindowUnit.hpp"

namespace curvist {

struct ScreenSize {
  int width = 1280;
  int height = 1024;
};

// What becomes of a window's pixels once the plotter has left the window for another.
enum class LeftWindowPixels {
  // Kept, in their compact form: they are shown, read back or written as PNG later.
  kept,
  // Given back: nobody can ever look at them (no display, and no caller who reads
  // pixels). A window drawn into again starts from its background.
  given_back,
};

// Character cells of window sizes: the Terminal font's width, and its height plus 4.
inline constexpr int cell_width_pixels = 8;
inline constexpr int cell_height_pixels = 16;

class OffscreenWindows final : public WindowOperations {
 public:
  explicit OffscreenWindows(ScreenSize screen = {},
                            LeftWindowPixels left_pixels = LeftWindowPixels::kept);

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
  void draw_points(std::span<const double> x, std::span<const double> y, bool join,
                   bool starts_stroke) override;
  void draw_text(std::string_view text) override;
  void set_text_colour(int colour_index) override;
  void set_text_mode(int mode) override;
  bool replace_plot(int unit, std::shared_ptr<const RedrawablePlot> plot) override;

  // What replace_plot draws for the unit: the plot at the window's present size. Nothing
  // when the unit has no plot window shown.
  std::optional<WindowRedraw> replacement(int number,
                                          std::shared_ptr<const RedrawablePlot> plot) const;
  // The unit's window takes the pixels, drawing state and title of `redrawn`, a
  // replacement as draw_again left it; its earlier pixels are left in `redrawn`. False
  // when the unit has no window shown any more.
  bool take_replacement(int number, WindowUnit& redrawn);

  // Size of a newly opened window: about 80% of the screen, in whole cells.
  int new_window_width() const { return new_window_width_; }
  int new_window_height() const { return new_window_height_; }
  // Windows opened from now on get this client size in pixels instead.
  void set_new_window_size(int width, int height);
  // The size query_window_size reports for a window: its client area in whole cells.
  static WindowSize cells_of(const WindowUnit& window);

  int active_unit() const { return active_number_; }
  // Colour of console-style text; graphics text takes the drawing colour.
  int text_colour_index() const { return text_colour_index_; }
  // Null for a unit that was never opened (unit 0, the console, always exists).
  const WindowUnit* unit(int number) const;
  WindowUnit* unit(int number);
  std::map<int, std::unique_ptr<WindowUnit>>& units() { return units_; }

  // Keeps every window's pixels in their compact form until something is drawn into it
  // again (the window left by focus_window is compacted anyway).
  void compact_surfaces();

  // The window was resized on screen: query_window_size follows it.
  void set_client_size(int number, int width, int height);

  // True once after anything a shown window must follow has changed.
  bool take_changed() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
  }
  bool changed() const { return changed_; }

  // A window left for another gave its pixels back, where they are not kept: only the
  // active one can then be written.
  bool write_png(int number, std::string_view path, std::string& error) override;

 private:
  // The active window's surface, grown to hold the area and expanded for drawing.
  PixelSurface& drawing_surface(const PixelRectangle& area);
  // The active window, for a call that changes its pixels or its drawing state.
  WindowUnit& changing_active_window();
  void reset_drawing_state(WindowUnit& window);
  void update_mapping(DrawingState& state);
  void draw_segment(const PixelRectangle& clip, double x0, double y0, double x1, double y1);

  int new_window_width_;
  int new_window_height_;
  LeftWindowPixels left_pixels_;
  std::map<int, std::unique_ptr<WindowUnit>> units_;
  WindowUnit* active_ = nullptr;
  int active_number_ = 0;
  std::uint32_t colour_ = palette_pixel(15);
  int text_colour_index_ = 15;
  TextFonts fonts_;
  bool changed_ = false;
};

}  // namespace curvist
