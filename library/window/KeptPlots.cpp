#include "window/KeptPlots.hpp"

#include <iterator>
#include <utility>

#include "window/OffscreenWindows.hpp"

namespace curvist {
namespace {

bool same_cells(WindowSize one, WindowSize other) {
  return one.columns == other.columns && one.rows == other.rows;
}

}  // namespace

bool KeptPlots::shown(const Kept& kept, const OffscreenWindows& windows, int unit) {
  const WindowUnit* window = windows.unit(unit);
  return window != nullptr && window->drawing_version == kept.drawing_version;
}

void KeptPlots::keep(int unit, const OffscreenWindows& windows, WindowSize laid_out_for,
                     bool reused_window, std::shared_ptr<const RedrawablePlot> plot) {
  const WindowUnit* window = windows.unit(unit);
  if (window == nullptr) return;
  const auto found = kept_.find(unit);
  // Drawn over a window of fixed size, or over a plot laid out at another size, a plot
  // reusing the window leaves it showing no plot that could be drawn afresh.
  const bool takes_place =
      !reused_window || (found != kept_.end() && found->second.reuse_may_follow &&
                         same_cells(found->second.cells, laid_out_for));
  // Each new plot sweeps out the plots that windows no longer show, so that what is kept
  // never outgrows what is on screen.
  for (auto entry = kept_.begin(); entry != kept_.end();)
    entry = entry->first == unit || shown(entry->second, windows, entry->first)
                ? std::next(entry)
                : kept_.erase(entry);
  if (takes_place)
    kept_[unit] = Kept{std::move(plot), window->drawing_version, laid_out_for, false, {}, 0, 0};
  else
    kept_.erase(unit);
}

void KeptPlots::note_focus(int unit, const OffscreenWindows& windows) {
  const auto found = kept_.find(unit);
  if (found == kept_.end()) return;
  if (!shown(found->second, windows, unit)) {
    kept_.erase(found);
    return;
  }
  found->second.reuse_may_follow = true;
}

std::optional<WindowRedraw> KeptPlots::redraw_wanted(int unit, const OffscreenWindows& windows) {
  const auto found = kept_.find(unit);
  if (found == kept_.end()) return std::nullopt;
  const Kept& kept = found->second;
  if (!shown(kept, windows, unit)) {
    // A plot reusing the window may be drawing over it; it decides when it is done.
    if (!kept.reuse_may_follow) kept_.erase(found);
    return std::nullopt;
  }
  const WindowUnit& window = *windows.unit(unit);
  if (same_cells(OffscreenWindows::cells_of(window), kept.cells) &&
      kept.drawn_view_version == kept.view_version)
    return std::nullopt;
  return WindowRedraw{unit,
                      kept.plot,
                      kept.drawing_version,
                      window.width,
                      window.height,
                      kept.views.empty() ? std::nullopt : std::optional(kept.views.back()),
                      kept.view_version};
}

bool KeptPlots::install(const WindowRedraw& redraw, OffscreenWindows& windows,
                        WindowUnit& redrawn) {
  const auto found = kept_.find(redraw.unit);
  WindowUnit* window = windows.unit(redraw.unit);
  if (found == kept_.end() || found->second.plot != redraw.plot || window == nullptr ||
      window->drawing_version != redraw.drawing_version || !redrawn.surface)
    return false;
  take_pixels(*window, redrawn);
  found->second.cells = OffscreenWindows::cells_of(redrawn);
  found->second.drawn_view_version = redraw.view_version;
  return true;
}

const KeptPlots::Kept* KeptPlots::shown_plot(int unit, const OffscreenWindows& windows) const {
  const auto found = kept_.find(unit);
  if (found == kept_.end() || !shown(found->second, windows, unit)) return nullptr;
  return &found->second;
}

std::optional<KeptPlots::Explored> KeptPlots::explored(int unit,
                                                       const OffscreenWindows& windows) const {
  const Kept* kept = shown_plot(unit, windows);
  if (kept == nullptr) return std::nullopt;
  const std::optional<PlotView> whole = kept->plot->whole_view();
  if (!whole) return std::nullopt;
  const WindowUnit& window = *windows.unit(unit);
  return Explored{kept->plot, kept->views.empty() ? *whole : kept->views.back(), window.drawing,
                  window.width, window.height};
}

bool KeptPlots::show_view(int unit, const RedrawablePlot& plot, const PlotView& view) {
  const auto found = kept_.find(unit);
  if (found == kept_.end() || found->second.plot.get() != &plot) return false;
  found->second.views.push_back(view);
  ++found->second.view_version;
  return true;
}

bool KeptPlots::back_view(int unit, bool to_whole_data) {
  const auto found = kept_.find(unit);
  if (found == kept_.end() || found->second.views.empty()) return false;
  if (to_whole_data)
    found->second.views.clear();
  else
    found->second.views.pop_back();
  ++found->second.view_version;
  return true;
}

std::vector<PlotView> KeptPlots::views(int unit) const {
  const auto found = kept_.find(unit);
  return found == kept_.end() ? std::vector<PlotView>{} : found->second.views;
}

void KeptPlots::set_views(int unit, std::vector<PlotView> views) {
  const auto found = kept_.find(unit);
  if (found == kept_.end()) return;
  found->second.views = std::move(views);
}

void KeptPlots::forget(int unit) { kept_.erase(unit); }

void KeptPlots::forget_all() { kept_.clear(); }

}  // namespace curvist
