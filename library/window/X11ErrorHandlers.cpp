#include "window/X11ErrorHandlers.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>

namespace curvist {
namespace {

// Few connections are open at once (one per X11Windows); a fixed table can be read from
// a handler without taking a lock that the thread it interrupts might hold.
std::array<std::atomic<Display*>, 64> own_displays{};

XErrorHandler replaced_protocol_handler = nullptr;
XIOErrorHandler replaced_connection_handler = nullptr;

bool is_own(Display* display) {
  return std::any_of(own_displays.begin(), own_displays.end(),
                     [display](const std::atomic<Display*>& own) { return own == display; });
}

int on_protocol_error(Display* display, XErrorEvent* error) {
  if (is_own(display) || replaced_protocol_handler == nullptr) return 0;
  return replaced_protocol_handler(display, error);
}

// The connection's exit handler, set on each of the library's connections, takes over
// from here; Xlib's message is not wanted before it.
int on_connection_error(Display* display) {
  if (is_own(display) || replaced_connection_handler == nullptr) return 0;
  return replaced_connection_handler(display);
}

void install_handlers() {
  // Setting none puts Xlib's default back and hands over the one in place, so a host's
  // handler is kept whichever it is.
  replaced_protocol_handler = XSetErrorHandler(on_protocol_error);
  replaced_connection_handler = XSetIOErrorHandler(on_connection_error);
}

}  // namespace

void handle_x_errors_of(Display* display) {
  static std::once_flag installed;
  std::call_once(installed, install_handlers);
  for (std::atomic<Display*>& own : own_displays) {
    Display* free_slot = nullptr;
    if (own.compare_exchange_strong(free_slot, display)) return;
  }
  // More connections than slots: the surplus connection's errors reach the host's
  // handler (or Xlib's) as any other connection's would.
}

void stop_handling_x_errors_of(Display* display) {
  for (std::atomic<Display*>& own : own_displays) {
    Display* mine = display;
    own.compare_exchange_strong(mine, nullptr);
  }
}

}  // namespace curvist
