#pragma once
// What the program's thread learns of the X11 windows from the presenter and the resize
// redrawer, and the waits it does on it: for a presentation, for the user to close the
// windows, for the windows and a descriptor at once.
//
// The presenter notes the presentations it made, the windows it keeps on screen and the
// loss of the display; the redrawer a window it could not draw again. The troubles are
// told on the program's thread alone (report_troubles), in the order of its lines.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "console/ErrorStream.hpp"
#include "window/WakePipe.hpp"
#include "window/WindowOperations.hpp"

namespace curvist {

class ScreenStatus {
 public:
  // `errors`: where the troubles are told.
  explicit ScreenStatus(ErrorStream& errors) : errors_(errors) {}
  ScreenStatus(const ScreenStatus&) = delete;
  ScreenStatus& operator=(const ScreenStatus&) = delete;

  // The program's side of a presentation: wakes the presenter and returns once it has
  // presented everything drawn until now, or the display is gone.
  void await_presentation(WakePipe& presenter);

  // The presenter's side: what to do in this turn of its loop. When the display is lost,
  // every presentation asked for counts as made.
  struct PresenterTurn {
    unsigned requested = 0;  // presentations asked for so far
    bool asked = false;      // one of them is still to be made
    bool lost = false;
  };
  PresenterTurn presenter_turn();
  // Everything drawn until the `requested`th presentation was asked for is on screen.
  void presented(unsigned requested);

  // How many windows the presenter shows now.
  void note_windows_on_screen(int count);
  // The connection to the display is gone: nothing is shown from now on, and nothing
  // resized.
  void mark_lost();
  bool lost();
  // False once the display is lost; read without the lock, on every plot.
  bool resizes_followed() const { return resizes_followed_; }
  // `what`: which window could not be drawn again, and why.
  void note_redraw_failure(std::string what);

  // Work for the program's thread, done in its waits for the windows (where it draws no
  // picture of its own): a picture of a view the user asked for.
  void ask_program(std::function<void()> work);

  // Tells the user, once, that the display went away, and that a window could not be
  // drawn again. Called on the program's own thread only, so that the lines fall among
  // that thread's other lines in the order it writes them.
  void report_troubles();

  // Returns when the user has closed the last window still on screen, at once when there
  // is none or the display is gone; a redraw that fails meanwhile is told at once.
  void keep_until_closed();
  // Returns when `descriptor` is readable, `limit` has passed or, once windows have been
  // shown, none is any more (see WindowOperations::keep_windows_while_waiting).
  WindowOperations::WaitEnd keep_while_waiting(int descriptor,
                                               std::optional<std::chrono::milliseconds> limit);

 private:
  // Wakes both waits for the program after a change of what they wait for. Called with
  // mutex_ held.
  void note_change();
  // Does the work asked of the program's thread meanwhile.
  void do_work_asked();

  ErrorStream& errors_;
  std::mutex mutex_;
  std::condition_variable changed_;
  WakePipe changed_pipe_{"status pipe"};  // readable after a change, for a wait that polls
  unsigned presentations_requested_ = 0;
  unsigned presentations_done_ = 0;
  int windows_on_screen_ = 0;
  bool windows_were_shown_ = false;  // a window has been on screen
  bool lost_ = false;
  std::string redraw_failure_unreported_;  // which window could not be drawn again, and why
  std::vector<std::function<void()>> work_asked_;

  std::atomic<bool> resizes_followed_{true};
  std::atomic<bool> loss_unreported_{false};
};

}  // namespace curvist
