#include "window/ResizeRedrawer.hpp"

#include <exception>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/Utf8Text.hpp"
#include "window/ThreadWithoutSignals.hpp"
#include "window/WindowRedraw.hpp"

namespace curvist {

using Clock = std::chrono::steady_clock;

ResizeRedrawer::ResizeRedrawer(SharedWindows& shared, ScreenStatus& status)
    : shared_(shared), status_(status), thread_(start_thread_without_signals([this] { run(); })) {}

void ResizeRedrawer::stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard guard(mutex_);
    stopping_ = true;
  }
  asked_.notify_all();
  thread_.join();
}

void ResizeRedrawer::follow(int unit, WindowSize laid_out_for, bool reused_window,
                            std::shared_ptr<const RedrawablePlot> plot) {
  const bool redraw_wanted = shared_.locked([&](DrawnWindows& windows) {
    // The window may have been resized while the plot was drawn.
    return status_.resizes_followed() &&
           windows.keep_plot(unit, laid_out_for, reused_window, std::move(plot));
  });
  if (redraw_wanted) ask_for_redraw(unit);
}

bool ResizeRedrawer::replace(int unit, std::shared_ptr<const RedrawablePlot> plot) {
  std::vector<PlotView> views;
  const std::optional<WindowRedraw> redraw =
      shared_.locked([&](DrawnWindows& windows) -> std::optional<WindowRedraw> {
        if (windows.closed_units.contains(unit)) return std::nullopt;
        auto replacement = windows.offscreen.replacement(unit, plot);
        // The part of the data the user chose stays in view as the data change.
        if (replacement && plot->whole_view()) views = windows.kept.views(unit);
        if (replacement && !views.empty()) replacement->view = views.back();
        return replacement;
      });
  if (!redraw) return false;
  // Drawn apart from the window, outside the lock: the window is shown, repainted and
  // resized meanwhile.
  const std::unique_ptr<WindowUnit> redrawn = draw_again(*redraw);
  if (!redrawn) return false;
  bool redraw_wanted = false;
  const bool replaced = shared_.changing([&](DrawnWindows& windows) {
    // Closed while the plot was drawn: it stays closed.
    if (windows.closed_units.contains(unit) || !windows.offscreen.take_replacement(unit, *redrawn))
      return false;
    // The window may have been resized while the plot was drawn at its former size.
    redraw_wanted =
        status_.resizes_followed() &&
        windows.keep_plot(unit, OffscreenWindows::cells_of(*redrawn), false, std::move(plot));
    windows.kept.set_views(unit, std::move(views));
    return true;
  });
  if (redraw_wanted) ask_for_redraw(unit);
  return replaced;
}

void ResizeRedrawer::window_resized(int unit, int width, int height) {
  const bool redraw_wanted = shared_.locked([&](DrawnWindows& windows) {
    windows.offscreen.set_client_size(unit, width, height);
    return windows.redraw_wanted(unit);
  });
  if (redraw_wanted) ask_for_redraw(unit);
}

void ResizeRedrawer::ask_for_redraw(int unit) {
  {
    std::lock_guard guard(mutex_);
    units_.insert(unit);
  }
  asked_.notify_one();
}

void ResizeRedrawer::run() {
  auto last_round = Clock::now() - presentation_interval;
  std::unique_lock guard(mutex_);
  for (;;) {
    asked_.wait(guard, [&] { return stopping_ || !units_.empty(); });
    // A window is drawn again at most once a presentation interval: the sizes a drag
    // brings meanwhile are taken together, and the last one wins.
    if (asked_.wait_until(guard, last_round + presentation_interval, [&] { return stopping_; }))
      return;
    const std::set<int> units = std::exchange(units_, {});
    last_round = Clock::now();
    guard.unlock();
    for (const int unit : units) redraw(unit);
    guard.lock();
  }
}

void ResizeRedrawer::redraw(int unit) {
  const std::optional<WindowRedraw> wanted = shared_.locked(
      [&](DrawnWindows& windows) { return windows.kept.redraw_wanted(unit, windows.offscreen); });
  if (!wanted) return;
  std::unique_ptr<WindowUnit> redrawn;
  std::string failure;
  try {
    redrawn = draw_again(*wanted);
  } catch (const std::bad_alloc&) {
    failure = "out of memory";
  } catch (const std::exception& error) {
    failure = error.what();
  }
  if (!failure.empty()) {
    const std::string title = shared_.locked([&](DrawnWindows& windows) {
      const WindowUnit* window = windows.offscreen.unit(unit);
      return window != nullptr ? window->title : std::string();
    });
    status_.note_redraw_failure("the window \"" + utf8_from_text(title) +
                                "\" could not be drawn again at its new size (" + failure + ")");
    return;
  }
  if (!redrawn) return;
  bool again = false;
  const bool installed = shared_.locked([&](DrawnWindows& windows) {
    const bool done = windows.kept.install(*wanted, windows.offscreen, *redrawn);
    // Resized again while it was drawn (back to the size it was laid out for before, say,
    // which asked for no redraw then): drawn once more at the size it has now.
    again = done && windows.redraw_wanted(unit);
    return done;
  });
  // The window's earlier pixels went to `redrawn` and are freed here, outside the lock.
  if (installed) shared_.wake_presenter();
  if (again) ask_for_redraw(unit);
}

}  // namespace curvist
