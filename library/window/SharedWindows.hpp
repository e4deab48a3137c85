#pragma once
// The windows as the program draws them, shared by the three threads of the X11 windows
// (the program's, the presenter and the resize redrawer) under one lock: the drawing lock.
// It is taken on every drawing call and held only for the call, never while anything
// waits, so a spin lock serves.
//
// Every operation runs through locked() or changing(): the latter wakes the presenter
// after an operation that changed what a window shows, and only after the first such
// change since the presenter last took the changes.

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <utility>

#include "window/KeptPlots.hpp"
#include "window/OffscreenWindows.hpp"
#include "window/SpinLock.hpp"
#include "window/WakePipe.hpp"

namespace curvist {

// Changes arriving faster than this are shown together; a resized window is drawn again
// at most once in this time.
inline constexpr auto presentation_interval = std::chrono::milliseconds(8);

// What the drawing lock guards.
struct DrawnWindows {
  explicit DrawnWindows(ScreenSize screen) : offscreen(screen) {}

  OffscreenWindows offscreen;
  KeptPlots kept;
  // Units whose windows the user closed: never drawn again.
  std::set<int> closed_units;
  // Units whose windows are drawn but not mapped yet: lines the user reads before them
  // are still owed.
  std::set<int> withheld_units;
  // The presenter was woken for changes it has not taken yet.
  bool wake_sent = false;

  // Keeps `plot` as the one the unit's window follows its size with; whether the window
  // was resized while the plot was drawn, so that it wants a redraw at once.
  bool keep_plot(int unit, WindowSize laid_out_for, bool reused_window,
                 std::shared_ptr<const RedrawablePlot> plot) {
    kept.keep(unit, offscreen, laid_out_for, reused_window, std::move(plot));
    return redraw_wanted(unit);
  }
  bool redraw_wanted(int unit) { return kept.redraw_wanted(unit, offscreen).has_value(); }
};

class SharedWindows {
 public:
  explicit SharedWindows(ScreenSize screen) : windows_(screen) {}

  // Runs operation(DrawnWindows&) under the drawing lock; returns what it returns.
  template <typename Operation>
  decltype(auto) locked(Operation&& operation) {
    std::lock_guard guard(lock_);
    return std::forward<Operation>(operation)(windows_);
  }

  // The same for an operation that may change what windows show: the presenter is woken
  // to show it, before the lock is let go.
  template <typename Operation>
  decltype(auto) changing(Operation&& operation) {
    std::lock_guard guard(lock_);
    const ChangeNoted noted{*this};
    return std::forward<Operation>(operation)(windows_);
  }

  // One call of the offscreen windows, as changing() runs it: every drawing call of the
  // X11 windows is one of these.
  template <typename Call, typename... Arguments>
  decltype(auto) draw(Call call, Arguments&&... arguments) {
    return changing([&](DrawnWindows& windows) -> decltype(auto) {
      return std::invoke(call, windows.offscreen, std::forward<Arguments>(arguments)...);
    });
  }

  // For a change the presenter must take whatever the offscreen windows say: pixels put
  // in a window's place, a window shown at last.
  void wake_presenter() { presenter_wake_.wake(); }
  // What the presenter polls, and drains before it takes the changes.
  WakePipe& presenter_wake() { return presenter_wake_; }

 private:
  struct ChangeNoted {
    SharedWindows& shared;
    ~ChangeNoted() { shared.note_change(); }
  };

  void note_change() {
    if (!windows_.wake_sent && windows_.offscreen.changed()) {
      windows_.wake_sent = true;
      wake_presenter();
    }
  }

  SpinLock lock_;
  DrawnWindows windows_;
  WakePipe presenter_wake_{"wake pipe"};
};

}  // namespace curvist
