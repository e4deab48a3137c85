// The answers of the X11 windows to a user exploring a plot: the values under the
// pointer, the views asked for, and the files saved of a window. They run on the
// presenter's thread: what is decided under the drawing lock takes a moment, the redraw
// of a new view is the redrawer's, and files are written outside the lock.
#include <algorithm>
#include <optional>
#include <vector>

#include "window/PlotViews.hpp"
#include "window/SavedViews.hpp"
#include "window/X11Windows.hpp"

namespace curvist {
namespace {

// The wheel's step, in and out.
constexpr double wheel_zoom = 0.8;

}  // namespace

std::optional<KeptPlots::Explored> X11Windows::explored(int unit) {
  return shared_.locked([unit](DrawnWindows& windows) -> std::optional<KeptPlots::Explored> {
    if (windows.closed_units.contains(unit)) return std::nullopt;
    return windows.kept.explored(unit, windows.offscreen);
  });
}

bool X11Windows::explorable(int unit) { return explored(unit).has_value(); }

std::string X11Windows::values_under_pointer(int unit, int x, int y) {
  return shared_.locked([&](DrawnWindows& windows) -> std::string {
    const auto plot = windows.kept.explored(unit, windows.offscreen);
    return plot ? values_at_pixel(plot->drawing, plot->view, x, y) : std::string();
  });
}

std::string X11Windows::explore(int unit, const ExploreRequest& request) {
  using Kind = ExploreRequest::Kind;
  const std::optional<KeptPlots::Explored> plot = explored(unit);
  if (!plot) return {};
  std::optional<PlotView> view;
  switch (request.kind) {
    case Kind::zoom_to:
      view = view_of_rectangle(plot->drawing, plot->view, request.rectangle);
      break;
    case Kind::zoom_in_at:
    case Kind::zoom_out_at:
      view = zoomed_about(plot->drawing, plot->view, request.x, request.y,
                          request.kind == Kind::zoom_in_at ? wheel_zoom : 1 / wheel_zoom);
      break;
    case Kind::pan:
      view = panned(plot->view, request.right, request.up);
      break;
    case Kind::back:
    case Kind::whole: {
      const bool changed = shared_.locked([&](DrawnWindows& windows) {
        return windows.kept.back_view(unit, request.kind == Kind::whole);
      });
      if (changed) redrawer_.view_changed(unit);
      return {};
    }
    case Kind::save_pixels:
      return save_pixels(unit, plot->plot->saved_name());
    case Kind::save_picture:
      // Drawn on the program's thread, through its PGPLOT and console, once it waits for
      // its windows: its own pictures are never disturbed.
      status_.ask_program([plot = plot->plot, view = plot->view] {
        plot->write_picture(view, free_view_file_name(plot->saved_name(), "ps"));
      });
      return "picture asked for";
  }
  if (!view) return {};
  if (!resolvable(*view, std::max(plot->width, plot->height)))
    return "no closer: 64-bit values do not resolve more";
  const bool shown = shared_.locked(
      [&](DrawnWindows& windows) { return windows.kept.show_view(unit, *plot->plot, *view); });
  if (shown) redrawer_.view_changed(unit);
  return {};
}

std::string X11Windows::save_pixels(int unit, const std::string& stem) {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  // Copied under the lock, written outside it: the program goes on drawing meanwhile.
  shared_.locked([&](DrawnWindows& windows) {
    const WindowUnit* window = windows.offscreen.unit(unit);
    if (window == nullptr || !window->surface) return;
    width = std::min(window->width, window->surface->width());
    height = std::min(window->height, window->surface->height());
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    window->surface->copy_area({0, 0, width - 1, height - 1}, pixels.data(),
                               static_cast<std::size_t>(width));
  });
  if (pixels.empty()) return {};
  std::string error;
  const std::string name = save_pixels_as_png(pixels, width, height, stem, error);
  return name.empty() ? "not saved: " + error : "saved " + name;
}

}  // namespace curvist
