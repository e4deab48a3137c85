// What the presenter does with the events of the windows it shows: it repaints exposed
// windows itself and hands the rest to the windows' answers (WindowEvents). An event
// the windows are to answer is selected in event_mask() and translated in dispatch().
//
// A window whose plot can be explored also takes the pointer and the keys: the values
// under the pointer go in its title (the pixels stay as they are), a drag with the left
// button draws a rubber band over the pixels and asks for the data under it on release,
// and the keys ask for views, files and help. Nothing here waits: a new view is drawn
// by the redrawer, and shows when it is done.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "window/X11Presenter.hpp"

namespace curvist {
namespace {

using Clock = std::chrono::steady_clock;

// How long a word for the user stays in the title.
constexpr auto word_shown = std::chrono::seconds(4);

constexpr const char* keys_help =
    "drag: zoom  wheel: zoom  u or right button: back  a or Home: whole data  arrows: move  "
    "s: save PNG  p: save picture  q: close";

// The pixels between two corners, whichever way the drag went.
PixelRectangle between(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

}  // namespace

long X11Presenter::event_mask() {
  return ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
         PointerMotionMask | LeaveWindowMask;
}

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
  // After the whole batch: the exposures of one window come as many rectangles, and the
  // pointer is followed to where it came to rest.
  for (const int unit : exposed_units) send_waiting_pixels(unit, shown_[unit]);
  for (const auto& [unit, at] : std::exchange(pointer_moves_, {})) {
    ShownWindow& shown = shown_[unit];
    if (!shown.closed) pointer_moved(unit, shown, at.first, at.second);
  }
  XFlush(display_);
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
      return dispatch_input(event, unit, shown);
  }
}

bool X11Presenter::dispatch_input(const XEvent& event, int unit, ShownWindow& shown) {
  using Kind = ExploreRequest::Kind;
  const auto ask = [&](const ExploreRequest& request) {
    show_word(shown, events_.explore(unit, request));
  };
  switch (event.type) {
    case MotionNotify:
      pointer_moves_[unit] = {event.xmotion.x, event.xmotion.y};
      return false;
    case LeaveNotify:
      pointer_moves_.erase(unit);
      if (!shown.word_until) set_title_shown(shown, shown.own_title);
      return false;
    case ButtonPress: {
      const int x = event.xbutton.x;
      const int y = event.xbutton.y;
      if (!events_.explorable(unit)) return false;
      if (event.xbutton.button == Button1) {
        remove_band(unit, shown);
        shown.dragging = true;
        shown.drag_x = x;
        shown.drag_y = y;
      } else if (event.xbutton.button == Button3) {
        ask({.kind = Kind::back});
      } else if (event.xbutton.button == Button4 || event.xbutton.button == Button5) {
        ask({.kind = event.xbutton.button == Button4 ? Kind::zoom_in_at : Kind::zoom_out_at,
             .x = x,
             .y = y});
      }
      return false;
    }
    case ButtonRelease:
      if (event.xbutton.button != Button1 || !shown.dragging) return false;
      remove_band(unit, shown);
      shown.dragging = false;
      ask({.kind = Kind::zoom_to,
           .rectangle = between(shown.drag_x, shown.drag_y, event.xbutton.x, event.xbutton.y)});
      return false;
    case KeyPress: {
      XKeyEvent key = event.xkey;
      const KeySym symbol = XLookupKeysym(&key, 0);
      const KeySym shifted = XLookupKeysym(&key, 1);
      if (symbol == XK_Escape) {
        // The drag is given up, and the window shows what it showed.
        remove_band(unit, shown);
        shown.dragging = false;
        return false;
      }
      if (!events_.explorable(unit)) return false;
      switch (symbol) {
        case XK_q:
          // As the window manager's close does.
          XDestroyWindow(display_, shown.window);
          forget_closed(unit, shown);
          return true;
        case XK_h:
          show_word(shown, keys_help);
          break;
        case XK_u:
          ask({.kind = Kind::back});
          break;
        case XK_a:
        case XK_Home:
          ask({.kind = Kind::whole});
          break;
        case XK_Left:
        case XK_Right:
        case XK_Up:
        case XK_Down:
          ask({.kind = Kind::pan,
               .right = symbol == XK_Left    ? -1
                        : symbol == XK_Right ? 1
                                             : 0,
               .up = symbol == XK_Down ? -1
                     : symbol == XK_Up ? 1
                                       : 0});
          break;
        case XK_s:
          ask({.kind = Kind::save_pixels});
          break;
        case XK_p:
          ask({.kind = Kind::save_picture});
          break;
        default:
          if (shifted == XK_question) show_word(shown, keys_help);
          break;
      }
      return false;
    }
    default:
      return false;
  }
}

void X11Presenter::pointer_moved(int unit, ShownWindow& shown, int x, int y) {
  if (shown.dragging) {
    remove_band(unit, shown);
    draw_band(shown, between(shown.drag_x, shown.drag_y, x, y));
    return;
  }
  if (shown.word_until) return;
  const std::string values = events_.values_under_pointer(unit, x, y);
  set_title_shown(shown, values.empty() ? shown.own_title : shown.own_title + "   " + values);
}

void X11Presenter::draw_band(ShownWindow& shown, const PixelRectangle& band) {
  XDrawRectangle(display_, shown.window, band_gc_, band.x1, band.y1,
                 static_cast<unsigned>(band.x2 - band.x1),
                 static_cast<unsigned>(band.y2 - band.y1));
  shown.band = band;
}

void X11Presenter::remove_band(int unit, ShownWindow& shown) {
  const PixelRectangle band = std::exchange(shown.band, {});
  if (band.empty()) return;
  // Each edge is repainted on its own: together they would be the whole rectangle.
  for (const PixelRectangle& edge : {PixelRectangle{band.x1, band.y1, band.x2, band.y1},
                                     PixelRectangle{band.x1, band.y2, band.x2, band.y2},
                                     PixelRectangle{band.x1, band.y1, band.x1, band.y2},
                                     PixelRectangle{band.x2, band.y1, band.x2, band.y2}}) {
    shown.to_send = shown.to_send.union_with(edge);
    send_waiting_pixels(unit, shown);
  }
}

void X11Presenter::set_title_shown(ShownWindow& shown, const std::string& title) {
  if (shown.window == 0 || title == shown.title_shown) return;
  set_title(shown, title);
  shown.title_shown = title;
}

void X11Presenter::show_word(ShownWindow& shown, const std::string& word) {
  if (word.empty()) return;
  set_title_shown(shown, shown.own_title + "   " + word);
  shown.word_until = Clock::now() + word_shown;
}

std::optional<Clock::time_point> X11Presenter::end_words() {
  std::optional<Clock::time_point> next;
  bool ended = false;
  for (auto& [unit, shown] : shown_) {
    if (!shown.word_until || shown.closed) continue;
    if (*shown.word_until <= Clock::now()) {
      shown.word_until.reset();
      set_title_shown(shown, shown.own_title);
      ended = true;
    } else if (!next || *shown.word_until < *next) {
      next = shown.word_until;
    }
  }
  if (ended) XFlush(display_);
  return next;
}

void X11Presenter::forget_closed(int unit, ShownWindow& shown) {
  events_.closed(unit);
  shown.window = 0;
  shown.closed = true;
  shown.mapped = false;
}

}  // namespace curvist
