// What the presenter does with the events of the windows it shows: it repaints exposed
// windows itself and hands the rest to the windows' answers (WindowEvents). An event
// the windows are to answer is selected in event_mask() and translated in dispatch().
#include <X11/Xlib.h>

#include "window/X11Presenter.hpp"

namespace curvist {

long X11Presenter::event_mask() { return ExposureMask | StructureNotifyMask; }

void X11Presenter::handle_events() {
  bool closed_any = false;
  std::vector<int> exposed_units;
  while (!status_.lost() && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    const auto found = unit_of_.find(event.xany.window);
    if (found == unit_of_.end()) continue;
    const int unit = found->second;
    if (dispatch(event, unit, shown_[unit], exposed_units)) {
      unit_of_.erase(found);
      closed_any = true;
    }
  }
  // After the whole batch: the exposures of one window come as many rectangles.
  for (const int unit : exposed_units) send_waiting_pixels(unit, shown_[unit]);
  // A put through shared memory is a short request that would wait in Xlib's buffer.
  if (!exposed_units.empty()) XFlush(display_);
  if (closed_any) count_windows_on_screen();
}

bool X11Presenter::dispatch(const XEvent& event, int unit, ShownWindow& shown,
                            std::vector<int>& exposed_units) {
  switch (event.type) {
    case Expose: {
      // Repainted from the surface; the window's background fills whatever lies beyond.
      const PixelRectangle exposed{event.xexpose.x, event.xexpose.y,
                                   event.xexpose.x + event.xexpose.width - 1,
                                   event.xexpose.y + event.xexpose.height - 1};
      auto inside = exposed.intersection({0, 0, shown.surface_width - 1, shown.surface_height - 1});
      // A window is exposed when it is mapped, just before it gets its pixels whole.
      if (event.xexpose.serial < shown.last_sent_request &&
          shown.last_sent.union_with(inside) == shown.last_sent)
        inside = {};
      shown.to_send = shown.to_send.union_with(inside);
      if (!inside.empty()) exposed_units.push_back(unit);
      return false;
    }
    case ConfigureNotify:
      events_.resized(unit, event.xconfigure.width, event.xconfigure.height);
      return false;
    case ClientMessage:
      if (event.xclient.message_type != protocols_ ||
          static_cast<Atom>(event.xclient.data.l[0]) != delete_window_)
        return false;
      XDestroyWindow(display_, shown.window);
      forget_closed(unit, shown);
      return true;
    // Destroyed by another program than the window manager: closed as well.
    case DestroyNotify:
      forget_closed(unit, shown);
      return true;
    default:
      return false;
  }
}

void X11Presenter::forget_closed(int unit, ShownWindow& shown) {
  events_.closed(unit);
  shown.window = 0;
  shown.closed = true;
  shown.mapped = false;
}

}  // namespace curvist
