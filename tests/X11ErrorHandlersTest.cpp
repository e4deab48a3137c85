// Xlib's error handlers are the process's: a program hosting the library keeps the errors
// of its own connections, with its own handler, and never sees the library's. (The
// handlers are installed at the library's first connection; ctest runs each test in a
// process of its own, so this one starts with Xlib's.)
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "PollUntil.hpp"
#include "X11Onlooker.hpp"
#include "XvfbServer.hpp"
#include "window/X11Windows.hpp"

namespace curvist {
namespace {

using testing::Onlooker;
using testing::poll_until;
using testing::ScopedDisplayVariable;
using testing::XvfbServer;

int host_errors = 0;
int count_host_error(Display*, XErrorEvent*) {
  ++host_errors;
  return 0;
}

// A request the server refuses: no window has this number.
void destroy_a_window_that_is_not_there(Display* display) {
  XDestroyWindow(display, 0x1fffffff);
  XSync(display, False);
}

TEST(X11ErrorHandlers, AHostKeepsItsHandlerForItsConnectionsAndNeverSeesTheLibrarys) {
  if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.running());
  ScopedDisplayVariable display_variable(server.display_name().c_str());
  const XErrorHandler before_host = XSetErrorHandler(count_host_error);

  std::string reason;
  std::unique_ptr<X11Windows> windows = X11Windows::connect(reason);
  ASSERT_NE(windows, nullptr) << reason;
  windows->open_window(101, "USER", "Library's window");
  windows->present();

  Display* host_display = XOpenDisplay(server.display_name().c_str());
  ASSERT_NE(host_display, nullptr);
  destroy_a_window_that_is_not_there(host_display);
  EXPECT_EQ(host_errors, 1);

  // The library's window destroyed behind its back: the library's drawing into it is
  // refused by the server, quietly, and none of it reaches the host.
  const Onlooker onlooker(server.display_name());
  Window library_window = 0;
  ASSERT_TRUE(poll_until(std::chrono::seconds(5), [&] {
    return (library_window = onlooker.find("Library's window")) != 0;
  }));
  XDestroyWindow(host_display, library_window);
  XSync(host_display, False);
  for (int round = 0; round < 5; ++round) {
    windows->focus_window(101);
    windows->clear_screen(round);
    windows->present();
  }
  EXPECT_EQ(host_errors, 1);

  // Closed, the library's connection leaves the host's handler as it found it.
  windows.reset();
  destroy_a_window_that_is_not_there(host_display);
  EXPECT_EQ(host_errors, 2);
  XCloseDisplay(host_display);
  XSetErrorHandler(before_host);
}

}  // namespace
}  // namespace curvist
