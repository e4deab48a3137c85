#pragma once
// Draws the X11 windows whose plots were laid out to their size again: on a thread of its
// own when the user resizes one, so that neither the program nor the presenter waits for
// it, and on the caller's thread when a plot is put in a window's place.
//
// A plot is drawn afresh into offscreen windows of its own at the window's size, and the
// result takes the window's place under the drawing lock, unless the window's drawing
// version changed meanwhile: anything else drawn into a window freezes it. A drag brings
// many sizes: a window is drawn again at most once a presentation interval, at the last
// size it was given. A plot put in a window's place goes on showing the part of the data
// the user chose there.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "window/RedrawablePlot.hpp"
#include "window/ScreenStatus.hpp"
#include "window/SharedWindows.hpp"
#include "window/WindowOperations.hpp"

namespace curvist {

class ResizeRedrawer {
 public:
  // Starts the redraw thread.
  ResizeRedrawer(SharedWindows& shared, ScreenStatus& status);
  ~ResizeRedrawer() { stop(); }
  ResizeRedrawer(const ResizeRedrawer&) = delete;
  ResizeRedrawer& operator=(const ResizeRedrawer&) = delete;

  // WindowOperations::follow_resizes and replace_plot of the X11 windows.
  void follow(int unit, WindowSize laid_out_for, bool reused_window,
              std::shared_ptr<const RedrawablePlot> plot);
  bool replace(int unit, std::shared_ptr<const RedrawablePlot> plot);

  // The user gave the unit's window a new client size.
  void window_resized(int unit, int width, int height);
  // The unit's kept plot is to show another view.
  void view_changed(int unit) { ask_for_redraw(unit); }

  // Ends the redraw thread once the redraw it is doing is done; nothing is drawn again
  // from then on.
  void stop();

 private:
  void ask_for_redraw(int unit);
  void run();
  // Draws the unit's window again at its present size, if it still needs it.
  void redraw(int unit);

  SharedWindows& shared_;
  ScreenStatus& status_;

  // The windows waiting to be drawn again, under mutex_ (never held with another lock).
  std::mutex mutex_;
  std::condition_variable asked_;
  std::set<int> units_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace curvist
