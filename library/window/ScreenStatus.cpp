#include "window/ScreenStatus.hpp"

#include <poll.h>

#include <algorithm>
#include <utility>

#include "console/LinesInWaiting.hpp"

namespace curvist {

using Clock = std::chrono::steady_clock;

void ScreenStatus::note_change() {
  changed_pipe_.wake();
  changed_.notify_all();
}

void ScreenStatus::await_presentation(WakePipe& presenter) {
  std::unique_lock guard(mutex_);
  const unsigned wanted = ++presentations_requested_;
  presenter.wake();
  changed_.wait(guard, [&] { return lost_ || presentations_done_ - wanted < (1u << 31); });
}

ScreenStatus::PresenterTurn ScreenStatus::presenter_turn() {
  std::lock_guard guard(mutex_);
  PresenterTurn turn{presentations_requested_, false, lost_};
  if (lost_) {
    presentations_done_ = presentations_requested_;
    changed_.notify_all();
  }
  turn.asked = presentations_requested_ != presentations_done_;
  return turn;
}

void ScreenStatus::presented(unsigned requested) {
  std::lock_guard guard(mutex_);
  presentations_done_ = requested;
  changed_.notify_all();
}

void ScreenStatus::note_windows_on_screen(int count) {
  std::lock_guard guard(mutex_);
  if (lost_ || count == windows_on_screen_) return;
  windows_on_screen_ = count;
  windows_were_shown_ = windows_were_shown_ || count > 0;
  note_change();
}

void ScreenStatus::mark_lost() {
  resizes_followed_ = false;
  std::lock_guard guard(mutex_);
  if (lost_) return;
  lost_ = true;
  windows_on_screen_ = 0;
  loss_unreported_ = true;
  note_change();
}

bool ScreenStatus::lost() {
  std::lock_guard guard(mutex_);
  return lost_;
}

void ScreenStatus::note_redraw_failure(std::string what) {
  std::lock_guard guard(mutex_);
  redraw_failure_unreported_ = std::move(what);
  note_change();
}

void ScreenStatus::report_troubles() {
  const bool lost = loss_unreported_.exchange(false);
  std::string redraw_failure;
  {
    std::lock_guard guard(mutex_);
    redraw_failure = std::exchange(redraw_failure_unreported_, {});
  }
  if (!lost && redraw_failure.empty()) return;
  if (lost)
    errors_.write_line(
        "curvist: the connection to the X display was lost; the screen plots are drawn "
        "offscreen and not shown");
  if (!redraw_failure.empty())
    errors_.write_line("curvist: " + redraw_failure + "; it shows its plot as it was");
}

void ScreenStatus::ask_program(std::function<void()> work) {
  std::lock_guard guard(mutex_);
  work_asked_.push_back(std::move(work));
  note_change();
}

void ScreenStatus::do_work_asked() {
  std::vector<std::function<void()>> work;
  {
    std::lock_guard guard(mutex_);
    work = std::exchange(work_asked_, {});
  }
  for (const auto& asked : work) asked();
  // A picture finished in the background owes its line: it is written before the wait
  // goes on.
  if (!work.empty()) write_lines_in_waiting();
}

void ScreenStatus::keep_until_closed() {
  std::unique_lock guard(mutex_);
  for (;;) {
    // The user resizes windows while the program waits: a redraw that failed is told at
    // once.
    changed_.wait(guard, [&] {
      return lost_ || windows_on_screen_ == 0 || !redraw_failure_unreported_.empty() ||
             !work_asked_.empty();
    });
    guard.unlock();
    report_troubles();
    do_work_asked();
    guard.lock();
    if (lost_ || windows_on_screen_ == 0) return;
  }
}

WindowOperations::WaitEnd ScreenStatus::keep_while_waiting(
    int descriptor, std::optional<std::chrono::milliseconds> limit) {
  using WaitEnd = WindowOperations::WaitEnd;
  const auto deadline = limit ? Clock::now() + *limit : Clock::time_point::max();
  for (;;) {
    report_troubles();
    do_work_asked();
    {
      std::lock_guard guard(mutex_);
      if (lost_ || (windows_were_shown_ && windows_on_screen_ == 0)) return WaitEnd::windows_closed;
    }
    int timeout = -1;
    if (limit) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      timeout = static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30));
    }
    pollfd watched[2] = {{descriptor, POLLIN, 0}, {changed_pipe_.descriptor(), POLLIN, 0}};
    const int ready = poll(watched, 2, timeout);
    if (ready < 0) return WaitEnd::time_up;  // a signal: the caller decides
    if (watched[1].revents & POLLIN) changed_pipe_.drain();
    if (watched[0].revents != 0) return WaitEnd::descriptor_ready;
    if (ready == 0) return WaitEnd::time_up;
  }
}

}  // namespace curvist
