#include "window/X11Windows.hpp"

#include <X11/Xatom.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <system_error>
#include <utility>

#include "console/LinesInWaiting.hpp"
#include "text/Utf8Text.hpp"
#include "window/SharedPixelSegment.hpp"
#include "window/WindowRedraw.hpp"
#include "window/X11ErrorHandlers.hpp"
#include "window/X11PixelImage.hpp"

namespace curvist {
namespace {

using Clock = std::chrono::steady_clock;

// Changes arriving faster than this are shown together.
constexpr auto presentation_interval = std::chrono::milliseconds(8);

// The pixels of a 1280 by 1024 window.
constexpr std::size_t largest_kept_outgoing_pixels = 1280 * 1024;

}  // namespace

struct X11Windows::ShownWindow {
  Window window = 0;
  bool closed = false;  // by the user: never shown again
  bool mapped = false;
  unsigned title_version = 0;
  unsigned raise_version = 0;
  // The surface's size when last seen: exposures beyond it show the window background.
  int surface_width = 0;
  int surface_height = 0;
  // Changed or exposed, and not yet sent.
  PixelRectangle to_send;
  // The last pixels sent, and the number of the request that sent them: an exposure the
  // server noted before that request is already repainted.
  PixelRectangle last_sent;
  unsigned long last_sent_request = 0;
};

struct X11Windows::Presenter {
  Display* display;
  Visual* visual;
  int screen;
  Atom protocols;
  Atom delete_window;
  Atom net_wm_name;
  Atom utf8_string;
  int windows_made = 0;
  std::map<int, ShownWindow> shown;
  std::map<Window, int> unit_of;
  // The pixels on their way to the server, one window's part at a time: in memory the
  // server shares when it can, else through the socket. Nothing else keeps a copy: a
  // repaint reads the unit's surface again.
  bool share_pixels = false;  // as the caller chose
  std::unique_ptr<SharedPixelSegment> shared;
  std::vector<std::uint32_t> outgoing;
};

// Sends pixels of the raster (area-sized rows) to that area of the window.
static void put_pixels(Display* display, int screen, Window window, const PixelRectangle& area,
                       std::uint32_t* pixels) {
  const int width = area.x2 - area.x1 + 1;
  const int height = area.y2 - area.y1 + 1;
  XImage image = pixel_image(width, height, reinterpret_cast<char*>(pixels));
  XPutImage(display, window, DefaultGC(display, screen), &image, 0, 0, area.x1, area.y1,
            static_cast<unsigned>(width), static_cast<unsigned>(height));
}

std::unique_ptr<X11Windows> X11Windows::connect(std::string& reason, PixelTransfer transfer) {
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
  Visual* visual = DefaultVisual(display, screen);
  if (DefaultDepth(display, screen) < 24 || visual->red_mask != 0xFF0000 ||
      visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF) {
    XCloseDisplay(display);
    stop_handling_x_errors_of(display);
    reason = std::string("the display ") + name + " has no 24-bit true-colour visual";
    return nullptr;
  }
  const ScreenSize screen_size{DisplayWidth(display, screen), DisplayHeight(display, screen)};
  return std::unique_ptr<X11Windows>(new X11Windows(display, screen_size, transfer));
}

X11Windows::X11Windows(Display* display, ScreenSize screen, PixelTransfer transfer)
    : offscreen_(screen), presenter_(std::make_unique<Presenter>()) {
  Presenter& presenter = *presenter_;
  presenter.display = display;
  presenter.share_pixels = transfer == PixelTransfer::shared_memory_when_local;
  presenter.screen = DefaultScreen(display);
  presenter.visual = DefaultVisual(display, presenter.screen);
  presenter.protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  presenter.delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  presenter.net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  presenter.utf8_string = XInternAtom(display, "UTF8_STRING", False);
  XSetIOErrorExitHandler(display, on_connection_lost, this);

  if (pipe2(wake_pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
    throw std::system_error(errno, std::generic_category(), "wake pipe");
  if (pipe2(status_pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    const int error = errno;
    close(wake_pipe_[0]);
    close(wake_pipe_[1]);
    throw std::system_error(error, std::generic_category(), "status pipe");
  }

  // The presenter and the redraw thread take no signals: Ctrl-C and SIGTERM reach the
  // main thread, whose handlers end the program.
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  thread_ = std::thread([this] { run_presenter(); });
  redrawer_ = std::thread([this] { run_redrawer(); });
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

X11Windows::~X11Windows() {
  {
    std::lock_guard guard(status_mutex_);
    stopping_ = true;
  }
  wake_presenter();
  thread_.join();
  {
    std::lock_guard guard(redraw_mutex_);
    stopping_redraws_ = true;
  }
  redraw_asked_.notify_all();
  redrawer_.join();
  report_troubles();
  bool lost;
  {
    std::lock_guard guard(status_mutex_);
    lost = lost_;
  }
  // A connection that was lost is left alone: Xlib's state for it is no longer usable,
  // and it stays the library's, so that nothing more of it reaches a host's handler.
  if (!lost) {
    XCloseDisplay(presenter_->display);
    stop_handling_x_errors_of(presenter_->display);
  }
  close(wake_pipe_[0]);
  close(wake_pipe_[1]);
  close(status_pipe_[0]);
  close(status_pipe_[1]);
}

void X11Windows::wake_presenter() {
  const char byte = 1;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] const auto written = write(wake_pipe_[1], &byte, 1);
}

void X11Windows::note_status_change() {
  const char byte = 1;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] const auto written = write(status_pipe_[1], &byte, 1);
  status_changed_.notify_all();
}

void X11Windows::on_connection_lost(Display*, void* self) {
  static_cast<X11Windows*>(self)->mark_lost();
}

void X11Windows::mark_lost() {
  resizes_followed_ = false;
  {
    std::lock_guard guard(status_mutex_);
    if (lost_) return;
    lost_ = true;
    windows_on_screen_ = 0;
    loss_unreported_ = true;
    note_status_change();
  }
}

void X11Windows::report_troubles() {
  const bool lost = loss_unreported_.exchange(false);
  std::string redraw_failure;
  {
    std::lock_guard guard(status_mutex_);
    redraw_failure = std::exchange(redraw_failure_unreported_, {});
  }
  if (!lost && redraw_failure.empty()) return;
  write_lines_in_waiting();
  if (lost)
    std::cerr << "curvist: the connection to the X display was lost; the screen plots are "
                 "drawn offscreen and not shown\n";
  if (!redraw_failure.empty())
    std::cerr << "curvist: " << redraw_failure << "; it shows its plot as it was\n";
}

bool X11Windows::display_lost() {
  std::lock_guard guard(status_mutex_);
  return lost_;
}

void X11Windows::run_presenter() {
  Presenter& presenter = *presenter_;
  const int connection = ConnectionNumber(presenter.display);
  if (presenter.share_pixels) {
    // Room for a window as large as the screen; larger parts go through the connection.
    const auto screen_pixels =
        static_cast<std::size_t>(DisplayWidth(presenter.display, presenter.screen)) *
        static_cast<std::size_t>(DisplayHeight(presenter.display, presenter.screen));
    presenter.shared = SharedPixelSegment::attach(presenter.display, screen_pixels);
    pixels_in_shared_memory_ = presenter.shared != nullptr;
  }
  auto last_presentation = Clock::now() - presentation_interval;
  bool changes_waiting = false;
  for (;;) {
    int timeout = -1;
    if (changes_waiting) {
      const auto due = last_presentation + presentation_interval - Clock::now();
      timeout = static_cast<int>(
          std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(due).count()));
    }
    pollfd watched[2] = {{wake_pipe_[0], POLLIN, 0}, {connection, POLLIN, 0}};
    const bool connected = !display_lost();
    // Events already read off the connection meanwhile (by Xlib or by XCB beneath it,
    // while waiting for a reply) no longer make it readable: they are handled without
    // waiting for the next one. Xlib's own queue alone does not show those XCB holds.
    if (connected && XEventsQueued(presenter.display, QueuedAfterReading) > 0) timeout = 0;
    poll(watched, connected ? 2 : 1, timeout);
    if (watched[0].revents & POLLIN) {
      char drained[64];
      while (read(wake_pipe_[0], drained, sizeof drained) > 0) {
      }
      changes_waiting = true;
    }
    unsigned requested;
    {
      std::lock_guard guard(status_mutex_);
      if (stopping_) return;
      requested = presents_requested_;
      if (lost_) {
        presents_done_ = requested;
        status_changed_.notify_all();
        // Nothing more is shown; drawing only needs its changes taken off.
        std::lock_guard surfaces(lock_);
        wake_sent_ = false;
        offscreen_.take_changed();
        kept_.forget_all();
        changes_waiting = false;
        continue;
      }
    }
    handle_events();
    const bool asked = requested != presents_done_;
    if ((changes_waiting && Clock::now() >= last_presentation + presentation_interval) || asked) {
      synchronise();
      last_presentation = Clock::now();
      changes_waiting = false;
      if (asked) XSync(presenter.display, False);
      std::lock_guard guard(status_mutex_);
      presents_done_ = requested;
      status_changed_.notify_all();
    }
  }
}

void X11Windows::synchronise() {
  Presenter& presenter = *presenter_;
  Display* display = presenter.display;
  struct Action {
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
  std::vector<Action> actions;
  {
    std::lock_guard guard(lock_);
    wake_sent_ = false;
    offscreen_.take_changed();
    for (auto& [number, unit] : offscreen_.units()) {
      ShownWindow& shown = presenter.shown[number];
      Action action;
      action.unit = number;
      action.shown = &shown;
      if (shown.closed) {
        if (unit->surface) unit->surface->take_damage();
        continue;
      }
      if (!unit->surface) {
        action.unmap = shown.mapped;
        if (action.unmap) actions.push_back(action);
        continue;
      }
      PixelSurface& surface = *unit->surface;
      const bool withheld = withheld_units_.contains(number);
      action.create = shown.window == 0;
      action.map = !shown.mapped && !withheld;
      action.retitle = action.create || shown.title_version != unit->title_version;
      action.raise = shown.mapped && shown.raise_version != unit->raise_version;
      shown.title_version = unit->title_version;
      shown.raise_version = unit->raise_version;
      if (action.retitle) action.title = utf8_from_text(unit->title);
      action.width = unit->width;
      action.height = unit->height;
      PixelRectangle damage = surface.take_damage();
      if (shown.surface_width != surface.width() || shown.surface_height != surface.height() ||
          action.map)
        damage = {0, 0, surface.width() - 1, surface.height() - 1};
      shown.surface_width = surface.width();
      shown.surface_height = surface.height();
      shown.to_send = shown.to_send.union_with(damage);
      actions.push_back(std::move(action));
    }
  }

  for (auto& action : actions) {
    ShownWindow& shown = *action.shown;
    if (action.create) {
      // Each new window a little lower and to the right of the last.
      const int step = 32 * (presenter.windows_made++ % 8);
      XSetWindowAttributes attributes{};
      attributes.background_pixel = BlackPixel(display, presenter.screen);
      attributes.event_mask = ExposureMask | StructureNotifyMask;
      shown.window = XCreateWindow(
          display, RootWindow(display, presenter.screen), 20 + step, 20 + step,
          static_cast<unsigned>(action.width), static_cast<unsigned>(action.height), 0,
          CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
      presenter.unit_of[shown.window] = action.unit;
      XSizeHints hints{};
      hints.flags = PPosition | PSize;
      hints.x = 20 + step;
      hints.y = 20 + step;
      hints.width = action.width;
      hints.height = action.height;
      XSetWMNormalHints(display, shown.window, &hints);
      XClassHint class_hint{const_cast<char*>("curvist"), const_cast<char*>("Curvist")};
      XSetClassHint(display, shown.window, &class_hint);
      XSetWMProtocols(display, shown.window, &presenter.delete_window, 1);
    }
    if (action.retitle) {
      const auto* bytes = reinterpret_cast<const unsigned char*>(action.title.data());
      const int length = static_cast<int>(action.title.size());
      XChangeProperty(display, shown.window, XA_WM_NAME, presenter.utf8_string, 8, PropModeReplace,
                      bytes, length);
      XChangeProperty(display, shown.window, presenter.net_wm_name, presenter.utf8_string, 8,
                      PropModeReplace, bytes, length);
    }
    if (action.unmap) {
      XUnmapWindow(display, shown.window);
      shown.mapped = false;
      continue;
    }
    if (action.map || action.raise) XMapRaised(display, shown.window);
    if (action.map) shown.mapped = true;
    // A withheld window gets its pixels whole when it is mapped.
    if (shown.mapped) send_waiting_pixels(action.unit, shown);
  }
  int on_screen = 0;
  for (const auto& [number, shown] : presenter.shown) on_screen += shown.mapped && !shown.closed;
  XFlush(display);
  std::lock_guard guard(status_mutex_);
  if (lost_ || on_screen == windows_on_screen_) return;
  windows_on_screen_ = on_screen;
  windows_were_shown_ = windows_were_shown_ || on_screen > 0;
  note_status_change();
}

void X11Windows::handle_events() {
  Presenter& presenter = *presenter_;
  Display* display = presenter.display;
  bool closed_any = false;
  std::vector<int> exposed_units;
  while (!display_lost() && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    const auto found = presenter.unit_of.find(event.xany.window);
    if (found == presenter.unit_of.end()) continue;
    ShownWindow& shown = presenter.shown[found->second];
    switch (event.type) {
      case Expose: {
        // Repainted from the surface; the window's background fills whatever lies beyond.
        const PixelRectangle exposed{event.xexpose.x, event.xexpose.y,
                                     event.xexpose.x + event.xexpose.width - 1,
                                     event.xexpose.y + event.xexpose.height - 1};
        auto inside =
            exposed.intersection({0, 0, shown.surface_width - 1, shown.surface_height - 1});
        // A window is exposed when it is mapped, just before it gets its pixels whole.
        if (event.xexpose.serial < shown.last_sent_request &&
            shown.last_sent.union_with(inside) == shown.last_sent)
          inside = {};
        shown.to_send = shown.to_send.union_with(inside);
        if (!inside.empty()) exposed_units.push_back(found->second);
        break;
      }
      case ConfigureNotify: {
        bool redraw_wanted;
        {
          std::lock_guard guard(lock_);
          offscreen_.set_client_size(found->second, event.xconfigure.width,
                                     event.xconfigure.height);
          redraw_wanted = kept_.redraw_wanted(found->second, offscreen_).has_value();
        }
        if (redraw_wanted) ask_for_redraw(found->second);
        break;
      }
      case ClientMessage:
        if (event.xclient.message_type == presenter.protocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == presenter.delete_window) {
          XDestroyWindow(display, shown.window);
          forget_closed(found->second, shown);
          presenter.unit_of.erase(found);
          closed_any = true;
        }
        break;
      // Destroyed by another program than the window manager: closed as well.
      case DestroyNotify:
        forget_closed(found->second, shown);
        presenter.unit_of.erase(found);
        closed_any = true;
        break;
      default:
        break;
    }
  }
  // After the whole batch: the exposures of one window come as many rectangles.
  for (const int number : exposed_units) {
    ShownWindow& shown = presenter.shown[number];
    if (!shown.to_send.empty()) send_waiting_pixels(number, shown);
  }
  // A put through shared memory is a short request that would wait in Xlib's buffer.
  if (!exposed_units.empty()) XFlush(display);
  if (closed_any) {
    int on_screen = 0;
    for (const auto& [number, shown] : presenter.shown) on_screen += shown.mapped && !shown.closed;
    std::lock_guard guard(status_mutex_);
    windows_on_screen_ = on_screen;
    note_status_change();
  }
}

void X11Windows::forget_closed(int unit, ShownWindow& shown) {
  {
    std::lock_guard guard(lock_);
    kept_.forget(unit);
    closed_units_.insert(unit);
  }
  shown.window = 0;
  shown.closed = true;
  shown.mapped = false;
}

void X11Windows::send_waiting_pixels(int unit, ShownWindow& shown) {
  Presenter& presenter = *presenter_;
  if (shown.to_send.empty()) return;
  if (shown.window == 0 || shown.closed) {
    shown.to_send = {};
    return;
  }
  // Outside the lock: the server may still have to take the last pixels put there.
  std::uint32_t* shared_pixels = presenter.shared ? presenter.shared->writable_pixels() : nullptr;
  bool shared = false;
  PixelRectangle area;
  {
    std::lock_guard guard(lock_);
    const WindowUnit* window = offscreen_.unit(unit);
    if (window == nullptr || !window->surface) {
      shown.to_send = {};
      return;
    }
    const PixelSurface& surface = *window->surface;
    area = shown.to_send.intersection({0, 0, surface.width() - 1, surface.height() - 1});
    shown.to_send = {};
    if (area.empty()) return;
    const auto width = static_cast<std::size_t>(area.x2 - area.x1 + 1);
    const auto pixels = width * static_cast<std::size_t>(area.y2 - area.y1 + 1);
    shared = shared_pixels != nullptr && pixels <= presenter.shared->capacity();
    if (!shared) {
      presenter.outgoing.resize(pixels);
      shared_pixels = presenter.outgoing.data();
    }
    surface.copy_area(area, shared_pixels, width);
  }
  shown.last_sent = area;
  shown.last_sent_request = NextRequest(presenter.display);
  if (shared)
    presenter.shared->put(shown.window, area);
  else
    put_pixels(presenter.display, presenter.screen, shown.window, area, presenter.outgoing.data());
  // A window-sized buffer is kept for the next send; one for a surface grown far beyond
  // any window is not.
  if (presenter.outgoing.capacity() > largest_kept_outgoing_pixels) {
    presenter.outgoing.clear();
    presenter.outgoing.shrink_to_fit();
  }
}

int X11Windows::open_window(int unit, std::string_view file_name, std::string_view title) {
  report_troubles();
  int status;
  {
    std::lock_guard guard(lock_);
    status = offscreen_.open_window(unit, file_name, title);
    withheld_units_.insert(unit);
  }
  // A program that waits for every picture would open the window after the lines of the
  // pictures begun before it: it is drawn meanwhile, and appears right after them.
  after_lines_in_waiting([this, alive = std::weak_ptr<const bool>(alive_), unit] {
    if (alive.lock()) show_withheld(unit);
  });
  std::lock_guard guard(lock_);
  note_change();
  return status;
}

void X11Windows::show_withheld(int unit) {
  std::lock_guard guard(lock_);
  if (withheld_units_.erase(unit) == 0) return;
  wake_sent_ = true;
  wake_presenter();
}

void X11Windows::focus_window(int unit) {
  report_troubles();
  std::lock_guard guard(lock_);
  offscreen_.focus_window(unit);
  kept_.note_focus(unit, offscreen_);
  note_change();
}

void X11Windows::initialise_fonts() {
  std::lock_guard guard(lock_);
  offscreen_.initialise_fonts();
}

void X11Windows::select_font(std::string_view options) {
  std::lock_guard guard(lock_);
  offscreen_.select_font(options);
}

FontInfo X11Windows::get_font_info() {
  std::lock_guard guard(lock_);
  return offscreen_.get_font_info();
}

WindowSize X11Windows::query_window_size(int unit) {
  std::lock_guard guard(lock_);
  return offscreen_.query_window_size(unit);
}

void X11Windows::clear_screen(int area) {
  std::lock_guard guard(lock_);
  offscreen_.clear_screen(area);
  note_change();
}

void X11Windows::set_colour(int colour_index) {
  std::lock_guard guard(lock_);
  offscreen_.set_colour(colour_index);
}

void X11Windows::draw_rectangle(RectangleControl control, std::int16_t x1, std::int16_t y1,
                                std::int16_t x2, std::int16_t y2) {
  std::lock_guard guard(lock_);
  offscreen_.draw_rectangle(control, x1, y1, x2, y2);
  note_change();
}

void X11Windows::set_viewport(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
  std::lock_guard guard(lock_);
  offscreen_.set_viewport(x1, y1, x2, y2);
}

void X11Windows::set_window_mapping(bool invert, double x1, double y1, double x2, double y2) {
  std::lock_guard guard(lock_);
  offscreen_.set_window_mapping(invert, x1, y1, x2, y2);
}

void X11Windows::move_to(double x, double y) {
  std::lock_guard guard(lock_);
  offscreen_.move_to(x, y);
}

void X11Windows::line_to(double x, double y) {
  std::lock_guard guard(lock_);
  offscreen_.line_to(x, y);
  note_change();
}

void X11Windows::set_pixel(double x, double y) {
  std::lock_guard guard(lock_);
  offscreen_.set_pixel(x, y);
  note_change();
}

void X11Windows::draw_text(std::string_view text) {
  std::lock_guard guard(lock_);
  offscreen_.draw_text(text);
  note_change();
}

void X11Windows::set_text_colour(int colour_index) {
  std::lock_guard guard(lock_);
  offscreen_.set_text_colour(colour_index);
}

void X11Windows::set_text_mode(int mode) {
  std::lock_guard guard(lock_);
  offscreen_.set_text_mode(mode);
  note_change();
}

void X11Windows::present() {
  std::unique_lock guard(status_mutex_);
  const unsigned wanted = ++presents_requested_;
  wake_presenter();
  status_changed_.wait(guard, [&] { return lost_ || presents_done_ - wanted < (1u << 31); });
}

void X11Windows::keep_windows_until_closed() {
  // The windows waited for are all shown.
  write_lines_in_waiting();
  {
    // Nothing more is drawn: the windows are repainted from their compact pixels.
    std::lock_guard guard(lock_);
    offscreen_.compact_surfaces();
  }
  present();
  std::unique_lock guard(status_mutex_);
  for (;;) {
    // The user resizes windows while the program waits: a redraw that failed is told at
    // once.
    status_changed_.wait(guard, [&] {
      return lost_ || windows_on_screen_ == 0 || !redraw_failure_unreported_.empty();
    });
    guard.unlock();
    report_troubles();
    guard.lock();
    if (lost_ || windows_on_screen_ == 0) return;
  }
}

X11Windows::WaitEnd X11Windows::keep_windows_while_waiting(
    int descriptor, std::optional<std::chrono::milliseconds> limit) {
  write_lines_in_waiting();
  {
    // Whatever was drawn last is finished: the windows are repainted from compact pixels.
    std::lock_guard guard(lock_);
    offscreen_.compact_surfaces();
  }
  // Every window opened so far is on screen, or known to be closed, before the count of
  // windows shown is looked at.
  present();
  const auto deadline = limit ? Clock::now() + *limit : Clock::time_point::max();
  for (;;) {
    report_troubles();
    {
      std::lock_guard guard(status_mutex_);
      if (lost_ || (windows_were_shown_ && windows_on_screen_ == 0)) return WaitEnd::windows_closed;
    }
    int timeout = -1;
    if (limit) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      timeout = static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30));
    }
    pollfd watched[2] = {{descriptor, POLLIN, 0}, {status_pipe_[0], POLLIN, 0}};
    const int ready = poll(watched, 2, timeout);
    if (ready < 0) return WaitEnd::time_up;  // a signal: the caller decides
    if (watched[1].revents & POLLIN) {
      char drained[64];
      while (read(status_pipe_[0], drained, sizeof drained) > 0) {
      }
    }
    if (watched[0].revents != 0) return WaitEnd::descriptor_ready;
    if (ready == 0) return WaitEnd::time_up;
  }
}

bool X11Windows::replace_plot(int unit, std::shared_ptr<const RedrawablePlot> plot) {
  report_troubles();
  std::optional<WindowRedraw> redraw;
  {
    std::lock_guard guard(lock_);
    if (closed_units_.contains(unit)) return false;
    redraw = offscreen_.replacement(unit, plot);
  }
  if (!redraw) return false;
  // Drawn apart from the window, outside the lock: the window is shown, repainted and
  // resized meanwhile.
  const std::unique_ptr<WindowUnit> redrawn = draw_again(*redraw);
  if (!redrawn) return false;
  bool redraw_wanted = false;
  {
    std::lock_guard guard(lock_);
    // Closed while the plot was drawn: it stays closed.
    if (closed_units_.contains(unit) || !offscreen_.take_replacement(unit, *redrawn)) return false;
    if (resizes_followed_) {
      kept_.keep(unit, offscreen_, OffscreenWindows::cells_of(*redrawn), false, std::move(plot));
      // The window may have been resized while the plot was drawn at its former size.
      redraw_wanted = kept_.redraw_wanted(unit, offscreen_).has_value();
    }
    note_change();
  }
  if (redraw_wanted) ask_for_redraw(unit);
  return true;
}

void X11Windows::follow_resizes(int unit, WindowSize laid_out_for, bool reused_window,
                                std::shared_ptr<const RedrawablePlot> plot) {
  bool redraw_wanted;
  {
    std::lock_guard guard(lock_);
    if (!resizes_followed_) return;
    kept_.keep(unit, offscreen_, laid_out_for, reused_window, std::move(plot));
    // The window may have been resized while the plot was drawn.
    redraw_wanted = kept_.redraw_wanted(unit, offscreen_).has_value();
  }
  if (redraw_wanted) ask_for_redraw(unit);
}

void X11Windows::ask_for_redraw(int unit) {
  {
    std::lock_guard guard(redraw_mutex_);
    redraw_units_.insert(unit);
  }
  redraw_asked_.notify_one();
}

void X11Windows::run_redrawer() {
  auto last_round = Clock::now() - presentation_interval;
  std::unique_lock guard(redraw_mutex_);
  for (;;) {
    redraw_asked_.wait(guard, [&] { return stopping_redraws_ || !redraw_units_.empty(); });
    // A window is drawn again at most once a presentation interval: the sizes a drag
    // brings meanwhile are taken together, and the last one wins.
    if (redraw_asked_.wait_until(guard, last_round + presentation_interval,
                                 [&] { return stopping_redraws_; }))
      return;
    const std::set<int> units = std::exchange(redraw_units_, {});
    last_round = Clock::now();
    guard.unlock();
    for (const int unit : units) redraw(unit);
    guard.lock();
  }
}

void X11Windows::redraw(int unit) {
  std::optional<WindowRedraw> wanted;
  {
    std::lock_guard guard(lock_);
    wanted = kept_.redraw_wanted(unit, offscreen_);
  }
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
    std::string title;
    {
      std::lock_guard guard(lock_);
      if (const WindowUnit* window = offscreen_.unit(unit)) title = window->title;
    }
    std::lock_guard guard(status_mutex_);
    redraw_failure_unreported_ = "the window \"" + utf8_from_text(title) +
                                 "\" could not be drawn again at its new size (" + failure + ")";
    note_status_change();
    return;
  }
  if (!redrawn) return;
  bool installed;
  {
    std::lock_guard guard(lock_);
    installed = kept_.install(*wanted, offscreen_, *redrawn);
  }
  // The window's earlier pixels went to `redrawn` and are freed here, outside the lock.
  if (installed) wake_presenter();
}

}  // namespace curvist
