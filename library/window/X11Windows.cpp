#include "window/X11Windows.hpp"

#include <utility>

#include "console/LinesInWaiting.hpp"

namespace curvist {

std::unique_ptr<X11Windows> X11Windows::connect(std::string& reason, PixelTransfer transfer,
                                                ErrorStream& errors) {
  _XDisplay* display = X11Presenter::open_display(reason);
  if (display == nullptr) return nullptr;
  return std::unique_ptr<X11Windows>(new X11Windows(display, transfer, errors));
}

X11Windows::X11Windows(_XDisplay* display, PixelTransfer transfer, ErrorStream& errors)
    : status_(errors),
      shared_(X11Presenter::screen_size(display)),
      redrawer_(shared_, status_),
      presenter_(display, transfer == PixelTransfer::shared_memory_when_local, shared_, status_,
                 *this) {}

X11Windows::~X11Windows() {
  // Both threads are done before the troubles they noted are told, and the display is
  // closed after that.
  presenter_.stop();
  redrawer_.stop();
  status_.report_troubles();
}

int X11Windows::open_window(int unit, std::string_view file_name, std::string_view title) {
  status_.report_troubles();
  presenter_.hold_back_until_lines_written(unit);
  return shared_.draw(&OffscreenWindows::open_window, unit, file_name, title);
}

void X11Windows::focus_window(int unit) {
  status_.report_troubles();
  shared_.changing([unit](DrawnWindows& windows) {
    windows.offscreen.focus_window(unit);
    windows.kept.note_focus(unit, windows.offscreen);
  });
}

bool X11Windows::replace_plot(int unit, std::shared_ptr<const RedrawablePlot> plot) {
  status_.report_troubles();
  return redrawer_.replace(unit, std::move(plot));
}

void X11Windows::settle_before_waiting() {
  // The windows waited for are all shown.
  write_lines_in_waiting();
  // Whatever was drawn last is finished: the windows are repainted from compact pixels.
  shared_.locked([](DrawnWindows& windows) { windows.offscreen.compact_surfaces(); });
  // Every window opened so far is on screen, or known to be closed, before the count of
  // windows shown is looked at.
  present();
}

void X11Windows::keep_windows_until_closed() {
  settle_before_waiting();
  status_.keep_until_closed();
}

X11Windows::WaitEnd X11Windows::keep_windows_while_waiting(
    int descriptor, std::optional<std::chrono::milliseconds> limit) {
  settle_before_waiting();
  return status_.keep_while_waiting(descriptor, limit);
}

void X11Windows::resized(int unit, int width, int height) {
  redrawer_.window_resized(unit, width, height);
}

void X11Windows::closed(int unit) {
  // Never drawn again, and its plot let go.
  shared_.locked([unit](DrawnWindows& windows) {
    windows.kept.forget(unit);
    windows.closed_units.insert(unit);
  });
}

}  // namespace curvist
