#include "window/X11Presenter.hpp"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>

#include "console/LinesInWaiting.hpp"
#include "text/Utf8Text.hpp"
#include "window/SharedPixelSegment.hpp"
#include "window/ThreadWithoutSignals.hpp"
#include "window/X11ErrorHandlers.hpp"
#include "window/X11PixelImage.hpp"

namespace curvist {
namespace {

using Clock = std::chrono::steady_clock;

// The pixels of a 1280 by 1024 window.
constexpr std::size_t largest_kept_outgoing_pixels = 1280 * 1024;

// Sends pixels of the raster (area-sized rows) to that area of the window.
void put_pixels(Display* display, int screen, Window window, const PixelRectangle& area,
                std::uint32_t* pixels) {
  const int width = area.x2 - area.x1 + 1;
  const int height = area.y2 - area.y1 + 1;
  XImage image = pixel_image(width, height, reinterpret_cast<char*>(pixels));
  XPutImage(display, window, DefaultGC(display, screen), &image, 0, 0, area.x1, area.y1,
            static_cast<unsigned>(width), static_cast<unsigned>(height));
}

}  // namespace

struct X11Presenter::WindowChange {
  int unit = 0;
  ShownWindow* shown = nullptr;
  bool create = false;
  bool retitle = false;
  bool map = false;
  bool unmap = false;
  bool raise = false;
  int width = 0;
  int height = 0;
  std::string title;
};

Display* X11Presenter::open_display(std::string& reason) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') {
    reason = "DISPLAY is not set";
    return nullptr;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    reason = std::string("the display ") + name + " cannot be reached";
    return nullptr;
  }
  handle_x_errors_of(display);
  const int screen = DefaultScreen(display);
  const Visual* visual = DefaultVisual(display, screen);
  if (DefaultDepth(display, screen) < 24 || visual->red_mask != 0xFF0000 ||
      visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF) {
    XCloseDisplay(display);
    stop_handling_x_errors_of(display);
    reason = std::string("the display ") + name + " has no 24-bit true-colour visual";
    return nullptr;
  }
  return display;
}

ScreenSize X11Presenter::screen_size(Display* display) {
  const int screen = DefaultScreen(display);
  return {DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

X11Presenter::X11Presenter(Display* display, bool share_pixels, SharedWindows& shared,
                           ScreenStatus& status, WindowEvents& events)
    : shared_(shared),
      status_(status),
      events_(events),
      display_(display),
      screen_(DefaultScreen(display)),
      protocols_(XInternAtom(display, "WM_PROTOCOLS", False)),
      delete_window_(XInternAtom(display, "WM_DELETE_WINDOW", False)),
      net_wm_name_(XInternAtom(display, "_NET_WM_NAME", False)),
      utf8_string_(XInternAtom(display, "UTF8_STRING", False)),
      share_pixels_(share_pixels) {
  XSetIOErrorExitHandler(display, on_connection_lost, &status_);
  XGCValues band{};
  band.function = GXxor;
  band.foreground = 0xFFFFFF;
  band_gc_ = XCreateGC(display, RootWindow(display, screen_), GCFunction | GCForeground, &band);
  thread_ = start_thread_without_signals([this] { run(); });
}

X11Presenter::~X11Presenter() {
  stop();
  // A connection that was lost is left alone: Xlib's state for it is no longer usable,
  // and it stays the library's, so that nothing more of it reaches a host's handler.
  if (!status_.lost()) {
    XFreeGC(display_, band_gc_);
    XCloseDisplay(display_);
    stop_handling_x_errors_of(display_);
  }
}

void X11Presenter::stop() {
  if (!thread_.joinable()) return;
  stopping_ = true;
  shared_.wake_presenter();
  thread_.join();
}

void X11Presenter::on_connection_lost(Display*, void* status) {
  static_cast<ScreenStatus*>(status)->mark_lost();
}

void X11Presenter::hold_back_until_lines_written(int unit) {
  shared_.locked([unit](DrawnWindows& windows) { windows.withheld_units.insert(unit); });
  // A program that waits for every picture would open the window after the lines of the
  // pictures begun before it: it is drawn meanwhile, and appears right after them.
  after_lines_in_waiting([this, alive = std::weak_ptr<const bool>(alive_), unit] {
    if (alive.lock()) show_withheld(unit);
  });
}

void X11Presenter::show_withheld(int unit) {
  shared_.locked([&](DrawnWindows& windows) {
    if (windows.withheld_units.erase(unit) == 0) return;
    windows.wake_sent = true;
    shared_.wake_presenter();
  });
}

void X11Presenter::run() {
  const int connection = ConnectionNumber(display_);
  if (share_pixels_) {
    // Room for a window as large as the screen; larger parts go through the connection.
    const auto screen_pixels = static_cast<std::size_t>(DisplayWidth(display_, screen_)) *
                               static_cast<std::size_t>(DisplayHeight(display_, screen_));
    segment_ = SharedPixelSegment::attach(display_, screen_pixels);
    pixels_in_shared_memory_ = segment_ != nullptr;
  }
  WakePipe& wake = shared_.presenter_wake();
  auto last_presentation = Clock::now() - presentation_interval;
  bool changes_waiting = false;
  for (;;) {
    int timeout = -1;
    if (changes_waiting) {
      const auto due = last_presentation + presentation_interval - Clock::now();
      timeout = static_cast<int>(
          std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(due).count()));
    }
    pollfd watched[2] = {{wake.descriptor(), POLLIN, 0}, {connection, POLLIN, 0}};
    const bool connected = !status_.lost();
    // Events already read off the connection meanwhile (by Xlib or by XCB beneath it,
    // while waiting for a reply) no longer make it readable: they are handled without
    // waiting for the next one. Xlib's own queue alone does not show those XCB holds.
    if (connected && XEventsQueued(display_, QueuedAfterReading) > 0) timeout = 0;
    if (const auto word_due = connected ? end_words() : std::nullopt) {
      const auto due = std::chrono::duration_cast<std::chrono::milliseconds>(
                           *word_due - Clock::now() + std::chrono::milliseconds(1))
                           .count();
      const int until_due = static_cast<int>(std::max<long>(0, due));
      timeout = timeout < 0 ? until_due : std::min(timeout, until_due);
    }
    poll(watched, connected ? 2 : 1, timeout);
    if (watched[0].revents & POLLIN) {
      wake.drain();
      changes_waiting = true;
    }
    if (stopping_) return;
    const ScreenStatus::PresenterTurn turn = status_.presenter_turn();
    if (turn.lost) {
      // Nothing more is shown; drawing only needs its changes taken off.
      shared_.locked([](DrawnWindows& windows) {
        windows.wake_sent = false;
        windows.offscreen.take_changed();
        windows.kept.forget_all();
      });
      changes_waiting = false;
      continue;
    }
    handle_events();
    if ((changes_waiting && Clock::now() >= last_presentation + presentation_interval) ||
        turn.asked) {
      synchronise();
      last_presentation = Clock::now();
      changes_waiting = false;
      if (turn.asked) XSync(display_, False);
      status_.presented(turn.requested);
    }
  }
}

std::vector<X11Presenter::WindowChange> X11Presenter::take_changes() {
  std::vector<WindowChange> changes;
  shared_.locked([&](DrawnWindows& windows) {
    windows.wake_sent = false;
    windows.offscreen.take_changed();
    for (auto& [number, unit] : windows.offscreen.units()) {
      ShownWindow& shown = shown_[number];
      WindowChange change;
      change.unit = number;
      change.shown = &shown;
      if (shown.closed) {
        if (unit->surface) unit->surface->take_damage();
        continue;
      }
      if (!unit->surface) {
        change.unmap = shown.mapped;
        if (change.unmap) changes.push_back(change);
        continue;
      }
      PixelSurface& surface = *unit->surface;
      const bool withheld = windows.withheld_units.contains(number);
      change.create = shown.window == 0;
      change.map = !shown.mapped && !withheld;
      change.retitle = change.create || shown.title_version != unit->title_version;
      change.raise = shown.mapped && shown.raise_version != unit->raise_version;
      shown.title_version = unit->title_version;
      shown.raise_version = unit->raise_version;
      if (change.retitle) change.title = utf8_from_text(unit->title);
      change.width = unit->width;
      change.height = unit->height;
      PixelRectangle damage = surface.take_damage();
      if (shown.surface_width != surface.width() || shown.surface_height != surface.height() ||
          change.map)
        damage = {0, 0, surface.width() - 1, surface.height() - 1};
      shown.surface_width = surface.width();
      shown.surface_height = surface.height();
      shown.to_send = shown.to_send.union_with(damage);
      changes.push_back(std::move(change));
    }
  });
  return changes;
}

void X11Presenter::synchronise() {
  for (const WindowChange& change : take_changes()) {
    ShownWindow& shown = *change.shown;
    if (change.create) make_window(shown, change.unit, change.width, change.height);
    if (change.retitle) {
      shown.own_title = change.title;
      shown.word_until.reset();
      set_title_shown(shown, change.title);
    }
    if (change.unmap) {
      XUnmapWindow(display_, shown.window);
      shown.mapped = false;
      continue;
    }
    if (change.map || change.raise) XMapRaised(display_, shown.window);
    if (change.map) shown.mapped = true;
    // A withheld window gets its pixels whole when it is mapped.
    if (shown.mapped) send_waiting_pixels(change.unit, shown);
  }
  XFlush(display_);
  count_windows_on_screen();
}

void X11Presenter::make_window(ShownWindow& shown, int unit, int width, int height) {
  // Each new window a little lower and to the right of the last.
  const int step = 32 * (windows_made_++ % 8);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display_, screen_);
  attributes.event_mask = event_mask();
  shown.window =
      XCreateWindow(display_, RootWindow(display_, screen_), 20 + step, 20 + step,
                    static_cast<unsigned>(width), static_cast<unsigned>(height), 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  unit_of_[shown.window] = unit;
  XSizeHints hints{};
  hints.flags = PPosition | PSize;
  hints.x = 20 + step;
  hints.y = 20 + step;
  hints.width = width;
  hints.height = height;
  XSetWMNormalHints(display_, shown.window, &hints);
  XClassHint class_hint{const_cast<char*>("curvist"), const_cast<char*>("Curvist")};
  XSetClassHint(display_, shown.window, &class_hint);
  XSetWMProtocols(display_, shown.window, &delete_window_, 1);
}

void X11Presenter::set_title(const ShownWindow& shown, const std::string& title) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(title.data());
  const int length = static_cast<int>(title.size());
  XChangeProperty(display_, shown.window, XA_WM_NAME, utf8_string_, 8, PropModeReplace, bytes,
                  length);
  XChangeProperty(display_, shown.window, net_wm_name_, utf8_string_, 8, PropModeReplace, bytes,
                  length);
}

void X11Presenter::count_windows_on_screen() {
  int on_screen = 0;
  for (const auto& [number, shown] : shown_) on_screen += shown.mapped && !shown.closed;
  status_.note_windows_on_screen(on_screen);
}

void X11Presenter::send_waiting_pixels(int unit, ShownWindow& shown) {
  if (shown.to_send.empty()) return;
  if (shown.window == 0 || shown.closed) {
    shown.to_send = {};
    return;
  }
  // Outside the lock: the server may still have to take the last pixels put there.
  std::uint32_t* pixels = segment_ ? segment_->writable_pixels() : nullptr;
  bool shared = false;
  const PixelRectangle area = shared_.locked([&](DrawnWindows& windows) -> PixelRectangle {
    const WindowUnit* window = windows.offscreen.unit(unit);
    const PixelRectangle waiting = std::exchange(shown.to_send, {});
    if (window == nullptr || !window->surface) return {};
    const PixelSurface& surface = *window->surface;
    const PixelRectangle sent =
        waiting.intersection({0, 0, surface.width() - 1, surface.height() - 1});
    if (sent.empty()) return sent;
    const auto width = static_cast<std::size_t>(sent.x2 - sent.x1 + 1);
    const auto count = width * static_cast<std::size_t>(sent.y2 - sent.y1 + 1);
    shared = pixels != nullptr && count <= segment_->capacity();
    if (!shared) {
      outgoing_.resize(count);
      pixels = outgoing_.data();
    }
    surface.copy_area(sent, pixels, width);
    return sent;
  });
  if (area.empty()) return;
  shown.last_sent = area;
  shown.last_sent_request = NextRequest(display_);
  if (shared)
    segment_->put(shown.window, area);
  else
    put_pixels(display_, screen_, shown.window, area, outgoing_.data());
  // A window-sized buffer is kept for the next send; one for a surface grown far beyond
  // any window is not.
  if (outgoing_.capacity() > largest_kept_outgoing_pixels) {
    outgoing_.clear();
    outgoing_.shrink_to_fit();
  }
}

}  // namespace curvist
