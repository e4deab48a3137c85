#include "window/OffscreenWindows.hpp"

#include <algorithm>
#include <cmath>

#include "window/ClippedLine.hpp"
#include "window/ConsoleSize.hpp"
#include "window/Palette.hpp"

namespace curvist {
namespace {

int whole_cells(double pixels, int cell) {
  return std::max(cell, static_cast<int>(pixels / cell) * cell);
}

bool is_finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Nearest pixel of a coordinate already known to lie within exact_line_range.
std::int64_t nearest_pixel(double coordinate) {
  return static_cast<std::int64_t>(std::floor(coordinate + 0.5));
}

}  // namespace

OffscreenWindows::OffscreenWindows(ScreenSize screen, LeftWindowPixels left_pixels)
    : new_window_width_(whole_cells(0.8 * screen.width, cell_width_pixels)),
      new_window_height_(whole_cells(0.8 * screen.height, cell_height_pixels)),
      left_pixels_(left_pixels) {
  auto console = std::make_unique<WindowUnit>();
  const auto cells = console_size();
  console->width = cells.columns * cell_width_pixels;
  console->height = cells.rows * cell_height_pixels;
  console->title = "Curvist";
  reset_drawing_state(*console);
  active_ = console.get();
  units_.emplace(0, std::move(console));
}

const WindowUnit* OffscreenWindows::unit(int number) const {
  const auto found = units_.find(number);
  return found == units_.end() ? nullptr : found->second.get();
}

WindowUnit* OffscreenWindows::unit(int number) {
  const auto found = units_.find(number);
  return found == units_.end() ? nullptr : found->second.get();
}

void OffscreenWindows::reset_drawing_state(WindowUnit& window) {
  window.drawing = DrawingState{};
  window.drawing.viewport = window.grid();
  window.drawing.viewport_width = window.width;
  window.drawing.viewport_height = window.height;
}

WindowUnit& OffscreenWindows::changing_active_window() {
  ++active_->drawing_version;
  return *active_;
}

WindowSize OffscreenWindows::cells_of(const WindowUnit& window) {
  return {window.width / cell_width_pixels, window.height / cell_height_pixels};
}

void OffscreenWindows::set_new_window_size(int width, int height) {
  new_window_width_ = width;
  new_window_height_ = height;
}

int OffscreenWindows::open_window(int number, std::string_view, std::string_view title) {
  // A unit that is open already keeps its window, which starts afresh under the new
  // caption: refusing would leave a caller that retries until the window opens waiting
  // for ever.
  auto& slot = units_[number];
  if (!slot) {
    slot = std::make_unique<WindowUnit>();
    slot->width = new_window_width_;
    slot->height = new_window_height_;
  }
  WindowUnit& window = *slot;
  ++window.drawing_version;
  if (window.surface)
    window.surface->clear();
  else
    window.surface = std::make_unique<PixelSurface>(window.width, window.height,
                                                    palette_pixel(background_colour_index));
  window.title = std::string(title);
  ++window.title_version;
  reset_drawing_state(window);
  changed_ = true;
  return 0;
}

bool OffscreenWindows::replace_plot(int number, std::shared_ptr<const RedrawablePlot> plot) {
  const auto redraw = replacement(number, std::move(plot));
  if (!redraw) return false;
  const auto redrawn = draw_again(*redraw);
  if (!redrawn) return false;
  return take_replacement(number, *redrawn);
}

std::optional<WindowRedraw> OffscreenWindows::replacement(
    int number, std::shared_ptr<const RedrawablePlot> plot) const {
  // The console is no plot's own window.
  const WindowUnit* window = number == 0 ? nullptr : unit(number);
  if (window == nullptr || !window->surface) return std::nullopt;
  return WindowRedraw{
      number, std::move(plot), window->drawing_version, window->width, window->height, std::nullopt,
      0};
}

bool OffscreenWindows::take_replacement(int number, WindowUnit& redrawn) {
  WindowUnit* window = unit(number);
  if (window == nullptr || !window->surface || !redrawn.surface) return false;
  take_pixels(*window, redrawn);
  // Whatever the window showed before is gone: a plot kept for it no longer matches.
  ++window->drawing_version;
  if (window->title != redrawn.title) {
    window->title = redrawn.title;
    ++window->title_version;
  }
  changed_ = true;
  return true;
}

void OffscreenWindows::focus_window(int number) {
  WindowUnit* window = unit(number);
  if (window == nullptr) return;  // no such window: the active one stays
  // The plotter draws each plot in one go into the active window: the one it leaves is
  // finished, and kept compact until something is drawn into it again, or given back.
  if (window != active_ && active_->surface) {
    if (left_pixels_ == LeftWindowPixels::kept)
      active_->surface->compact();
    else
      active_->surface->give_back();
  }
  active_ = window;
  active_number_ = number;
  ++window->raise_version;
  changed_ = true;
}

// Fonts are found when one is selected; there is nothing to load beforehand.
void OffscreenWindows::initialise_fonts() {}

void OffscreenWindows::select_font(std::string_view options) { fonts_.select(options); }

FontInfo OffscreenWindows::get_font_info() { return fonts_.info(); }

WindowSize OffscreenWindows::query_window_size(int number) {
  if (number == 0) return console_size();
  const WindowUnit* window = unit(number);
  if (window == nullptr) return {0, 0};
  return cells_of(*window);
}

void OffscreenWindows::set_client_size(int number, int width, int height) {
  if (WindowUnit* window = unit(number)) {
    window->width = width;
    window->height = height;
  }
}

PixelSurface& OffscreenWindows::drawing_surface(const PixelRectangle& area) {
  // The console shows graphics in a window of its own, opened when first drawn into.
  if (!active_->surface) {
    active_->surface = std::make_unique<PixelSurface>(active_->width, active_->height,
                                                      palette_pixel(background_colour_index));
    ++active_->raise_version;
  }
  // Grown before it is expanded: a compact surface then becomes a raster once, at its
  // new size.
  PixelSurface& surface = *active_->surface;
  surface.grow_to_hold(area);
  surface.expand();
  changed_ = true;
  return surface;
}

void OffscreenWindows::compact_surfaces() {
  for (auto& [number, window] : units_)
    if (window->surface) window->surface->compact();
}

void OffscreenWindows::clear_screen(int) {
  WindowUnit& window = changing_active_window();
  if (!window.surface) return;  // a console in text mode is cleared already
  window.surface->clear();
  changed_ = true;
}

void OffscreenWindows::set_colour(int colour_index) { colour_ = palette_pixel(colour_index); }

void OffscreenWindows::draw_rectangle(RectangleControl control, std::int16_t x1, std::int16_t y1,
                                      std::int16_t x2, std::int16_t y2) {
  const DrawingState& state = changing_active_window().drawing;
  const int left = state.origin_x + std::min(x1, x2);
  const int right = state.origin_x + std::max(x1, x2);
  const int top = state.origin_y + std::min(y1, y2);
  const int bottom = state.origin_y + std::max(y1, y2);
  const PixelRectangle area{left, top, right, bottom};
  const PixelRectangle visible = area.intersection(state.viewport);
  if (visible.empty()) return;
  PixelSurface& surface = drawing_surface(visible);
  const auto fill = [&](const PixelRectangle& part) {
    surface.fill(part.intersection(state.viewport), colour_);
  };
  if (control == RectangleControl::filled) {
    fill(area);
  } else {
    fill({left, top, right, top});
    fill({left, bottom, right, bottom});
    fill({left, top, left, bottom});
    fill({right, top, right, bottom});
  }
}

void OffscreenWindows::set_viewport(std::int16_t x1, std::int16_t y1, std::int16_t x2,
                                    std::int16_t y2) {
  WindowUnit& window = changing_active_window();
  DrawingState& state = window.drawing;
  const PixelRectangle area{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  state.viewport = area.intersection(window.grid());
  state.viewport_width = area.x2 - area.x1 + 1;
  state.viewport_height = area.y2 - area.y1 + 1;
  state.origin_x = area.x1;
  state.origin_y = area.y1;
  // A window mapping stays spread over the new viewport.
  update_mapping(state);
}

void OffscreenWindows::update_mapping(DrawingState& state) {
  if (!state.has_window_bounds) {
    state.map_x = {1.0, static_cast<double>(state.origin_x)};
    state.map_y = {1.0, static_cast<double>(state.origin_y)};
    return;
  }
  // The first and last pixel column of the viewport as set (before it is clipped to the
  // grid) take x1 and x2; rows likewise.
  const auto& bounds = state.window_bounds;
  const double scale_x = (state.viewport_width - 1) / (bounds.x2 - bounds.x1);
  state.map_x = {scale_x, state.origin_x - bounds.x1 * scale_x};
  const double scale_y = (state.viewport_height - 1) / (bounds.y2 - bounds.y1);
  if (bounds.invert)
    state.map_y = {-scale_y, state.origin_y + bounds.y2 * scale_y};
  else
    state.map_y = {scale_y, state.origin_y - bounds.y1 * scale_y};
}

void OffscreenWindows::set_window_mapping(bool invert, double x1, double y1, double x2, double y2) {
  // Equal bounds (or bounds that are not finite) give no mapping: the one in force stays.
  if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))) return;
  if (x1 == x2 || y1 == y2) return;
  if (!std::isfinite(1.0 / (x2 - x1)) || !std::isfinite(1.0 / (y2 - y1))) return;
  DrawingState& state = changing_active_window().drawing;
  state.window_bounds = {invert, x1, y1, x2, y2};
  state.has_window_bounds = true;
  update_mapping(state);
}

void OffscreenWindows::move_to(double x, double y) {
  DrawingState& state = changing_active_window().drawing;
  state.position_x = state.map_x.pixel(x);
  state.position_y = state.map_y.pixel(y);
}

void OffscreenWindows::line_to(double x, double y) {
  DrawingState& state = changing_active_window().drawing;
  const double to_x = state.map_x.pixel(x);
  const double to_y = state.map_y.pixel(y);
  if (is_finite(to_x, to_y) && is_finite(state.position_x, state.position_y))
    draw_segment(state.viewport, state.position_x, state.position_y, to_x, to_y);
  state.position_x = to_x;
  state.position_y = to_y;
}

void OffscreenWindows::draw_points(std::span<const double> x, std::span<const double> y, bool join,
                                   bool starts_stroke) {
  // Points only: nothing to gain over one pixel each.
  if (!join) {
    WindowOperations::draw_points(x, y, join, starts_stroke);
    return;
  }
  DrawingState& state = changing_active_window().drawing;
  const auto exact = [](double pixel_x, double pixel_y) {
    return std::fabs(pixel_x) <= exact_line_range && std::fabs(pixel_y) <= exact_line_range;
  };
  // Consecutive points in one pixel column: the lines between them cover that column from
  // their lowest row to their highest and nothing else, as one line does. (Each joined
  // point's own pixel ends the line to it.)
  struct ColumnRun {
    bool open = false;
    std::int64_t column = 0;
    std::int64_t top = 0;
    std::int64_t bottom = 0;
  } run;
  const auto end_run = [&] {
    if (!run.open) return;
    draw_segment(state.viewport, double(run.column), double(run.top), double(run.column),
                 double(run.bottom));
    run.open = false;
  };
  for (std::size_t point = 0; point < x.size(); ++point) {
    const double to_x = state.map_x.pixel(x[point]);
    const double to_y = state.map_y.pixel(y[point]);
    if (point == 0 && starts_stroke) {
      state.position_x = to_x;
      state.position_y = to_y;
      set_pixel(x[point], y[point]);
      continue;
    }
    if (!exact(to_x, to_y) || !exact(state.position_x, state.position_y)) {
      // Far out or not a number: as the point by point calls draw it.
      end_run();
      line_to(x[point], y[point]);
      set_pixel(x[point], y[point]);
      continue;
    }
    const std::int64_t column = nearest_pixel(to_x);
    const std::int64_t row = nearest_pixel(to_y);
    if (nearest_pixel(state.position_x) == column) {
      if (!run.open || run.column != column) {
        end_run();
        const std::int64_t from_row = nearest_pixel(state.position_y);
        run = {true, column, from_row, from_row};
      }
      run.top = std::min(run.top, row);
      run.bottom = std::max(run.bottom, row);
    } else {
      end_run();
      draw_segment(state.viewport, state.position_x, state.position_y, to_x, to_y);
    }
    state.position_x = to_x;
    state.position_y = to_y;
  }
  end_run();
}

void OffscreenWindows::draw_segment(const PixelRectangle& clip, double x0, double y0, double x1,
                                    double y1) {
  if (clip.empty()) return;
  const bool far =
      std::max({std::fabs(x0), std::fabs(y0), std::fabs(x1), std::fabs(y1)}) > exact_line_range;
  // An endpoint far out is brought back to the clip rectangle (a pixel's margin around
  // it) along the line; nothing of a segment that misses it is drawn.
  if (far && !cut_segment_to_box(x0, y0, x1, y1, clip.x1 - 1.0, clip.y1 - 1.0, clip.x2 + 1.0,
                                 clip.y2 + 1.0))
    return;
  const std::int64_t from_x = nearest_pixel(x0);
  const std::int64_t from_y = nearest_pixel(y0);
  const std::int64_t to_x = nearest_pixel(x1);
  const std::int64_t to_y = nearest_pixel(y1);
  const PixelRectangle bounds{
      static_cast<int>(std::clamp<std::int64_t>(std::min(from_x, to_x), -1, clip.x2 + 1)),
      static_cast<int>(std::clamp<std::int64_t>(std::min(from_y, to_y), -1, clip.y2 + 1)),
      static_cast<int>(std::clamp<std::int64_t>(std::max(from_x, to_x), -1, clip.x2 + 1)),
      static_cast<int>(std::clamp<std::int64_t>(std::max(from_y, to_y), -1, clip.y2 + 1))};
  const PixelRectangle touched = bounds.intersection(clip);
  if (touched.empty()) return;
  PixelSurface& surface = drawing_surface(touched);
  const PixelRectangle limits =
      clip.intersection({0, 0, surface.width() - 1, surface.height() - 1});
  const std::uint32_t colour = colour_;
  walk_clipped_line(from_x, from_y, to_x, to_y, limits,
                    [&surface, colour](int x, int y) { surface.set(x, y, colour); });
  surface.add_damage(touched.intersection(limits));
}

void OffscreenWindows::set_pixel(double x, double y) {
  const DrawingState& state = changing_active_window().drawing;
  const double pixel_x = state.map_x.pixel(x);
  const double pixel_y = state.map_y.pixel(y);
  // Also false for coordinates that are not finite.
  if (!(std::fabs(pixel_x) <= exact_line_range && std::fabs(pixel_y) <= exact_line_range)) return;
  const int column = static_cast<int>(nearest_pixel(pixel_x));
  const int row = static_cast<int>(nearest_pixel(pixel_y));
  if (!state.viewport.contains(column, row)) return;
  PixelSurface& surface = drawing_surface({column, row, column, row});
  if (column >= surface.width() || row >= surface.height()) return;
  surface.set(column, row, colour_);
  surface.add_damage({column, row, column, row});
}

void OffscreenWindows::draw_text(std::string_view text) {
  const DrawingState& state = changing_active_window().drawing;
  if (text.empty()) return;
  if (!(std::fabs(state.position_x) <= exact_line_range &&
        std::fabs(state.position_y) <= exact_line_range))
    return;
  const int x = static_cast<int>(nearest_pixel(state.position_x));
  const int y = static_cast<int>(nearest_pixel(state.position_y));
  const int width = fonts_.text_width(text);
  const PixelRectangle box{x, y, static_cast<int>(std::min<long>(long{x} + width - 1, 1L << 30)),
                           y + fonts_.info().height - 1};
  const PixelRectangle visible = box.intersection(state.viewport);
  if (visible.empty()) return;
  PixelSurface& surface = drawing_surface(visible);
  fonts_.draw(surface, x, y, text, colour_, state.viewport);
}

void OffscreenWindows::set_text_colour(int colour_index) { text_colour_index_ = colour_index; }

void OffscreenWindows::set_text_mode(int mode) {
  if (mode != -1) return;
  WindowUnit& window = changing_active_window();
  reset_drawing_state(window);
  if (active_number_ == 0) {
    // The console goes back to text: its graphics window is withdrawn.
    window.surface.reset();
  } else if (window.surface) {
    window.surface->clear();
  }
  changed_ = true;
}

bool OffscreenWindows::write_png(int number, std::string_view path, std::string& error) {
  const WindowUnit* window = unit(number);
  if (window == nullptr || !window->surface) {
    error = "unit " + std::to_string(number) + " has no window";
    return false;
  }
  if (left_pixels_ == LeftWindowPixels::given_back && window != active_) {
    error = "the window of unit " + std::to_string(number) + " kept no pixels once left";
    return false;
  }
  return window->surface->write_png(path, error);
}

}  // namespace curvist
