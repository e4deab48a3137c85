#include "window/X11Windows.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// After the test framework: Xlib defines macros such as None and Bool.
#include "X11Onlooker.hpp"

#include <signal.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <future>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "PictureFolder.hpp"
#include "PollUntil.hpp"
#include "XvfbServer.hpp"
#include "console/LinesInWaiting.hpp"
#include "console/RecordingErrorStream.hpp"
#include "pgplot/RemotePgplot.hpp"
#include "window/ScreenWindows.hpp"

namespace curvist {
namespace {

using testing::Onlooker;
using testing::poll_until;
using testing::ScopedDisplayVariable;
using testing::XvfbServer;

struct RunningServer {
  XvfbServer server;
  std::unique_ptr<ScopedDisplayVariable> display;
  std::ostringstream errors;
  RecordingErrorStream error_stream{errors};
  std::unique_ptr<X11Windows> windows;

  RunningServer() {
    if (!server.running()) return;
    display = std::make_unique<ScopedDisplayVariable>(server.display_name().c_str());
    std::string reason;
    windows = X11Windows::connect(reason, X11Windows::PixelTransfer::shared_memory_when_local,
                                  error_stream);
  }
};

#define REQUIRE_XVFB()                                                   \
  if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed"; \
  RunningServer running;                                                 \
  ASSERT_TRUE(running.server.running()) << "Xvfb did not start";         \
  ASSERT_NE(running.windows, nullptr);                                   \
  X11Windows& windows = *running.windows

void draw_plot(WindowOperations& windows, int unit, int colour, double slope) {
  windows.focus_window(unit);
  windows.set_text_mode(-1);  // starts afresh, without the last plot's viewport
  windows.clear_screen(0);
  windows.set_colour(5);
  windows.draw_rectangle(RectangleControl::outline, 1, 1, 600, 400);
  windows.set_colour(1);
  windows.draw_rectangle(RectangleControl::filled, 4, 4, 597, 397);
  windows.set_viewport(4, 4, 597, 397);
  windows.set_window_mapping(true, 0.0, 0.0, 10.0, 10.0);
  windows.set_colour(colour);
  windows.move_to(0.0, 0.0);
  for (int step = 1; step <= 100; ++step) windows.line_to(step / 10.0, slope * step / 10.0);
  windows.select_font("t'modern'h14w9");
  windows.move_to(1.0, 9.0);
  windows.draw_text("Curvist x=1.5");
}

TEST(X11Windows, TitledWindowsShowExactlyTheirSurfaces) {
  REQUIRE_XVFB();
  ASSERT_EQ(windows.open_window(101, "USER", "First plot"), 0);
  ASSERT_EQ(windows.open_window(102, "USER", "Zweite Darstellung \xC3\xA4"), 0);
  draw_plot(windows, 101, 14, 1.0);
  draw_plot(windows, 102, 12, 0.5);
  windows.present();

  Onlooker onlooker(running.server.display_name());
  ASSERT_NE(onlooker.display(), nullptr);
  const Window first = onlooker.find("First plot");
  const Window second = onlooker.find("Zweite Darstellung \xC3\xA4");
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_EQ(onlooker.net_wm_name(second), "Zweite Darstellung \xC3\xA4");

  for (const auto& [unit, window] : {std::pair{101, first}, std::pair{102, second}}) {
    // Brought to the front, the window is repainted where the other one covered it.
    windows.focus_window(unit);
    windows.present();
    windows.present();
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(onlooker.display(), window, &attributes));
    EXPECT_EQ(attributes.width, 1024);
    EXPECT_EQ(attributes.height, 816);
    const auto shown = onlooker.read(window, 610, 410);
    ASSERT_EQ(shown.pixels.size(), 610u * 410u);
    int differences = 0;
    windows.inspect([&](OffscreenWindows& surfaces) {
      const PixelSurface& surface = *surfaces.unit(unit)->surface;
      for (int y = 0; y < 410; ++y)
        for (int x = 0; x < 610; ++x) differences += shown.at(x, y) != surface.at(x, y);
    });
    EXPECT_EQ(differences, 0) << unit;
    // The frame's corner and the curve's first pixel, as drawn.
    EXPECT_EQ(shown.at(1, 1), 0x800080u);
    EXPECT_EQ(shown.at(4, 397), unit == 101 ? 0xFFFF00u : 0xFF0000u);
  }
}

int map_state(const Onlooker& onlooker, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(onlooker.display(), window, &attributes)) return -1;
  return attributes.map_state;
}

// Holds a process stopped for as long as it lives.
class StoppedProcess {
 public:
  explicit StoppedProcess(pid_t process) : process_(process) { kill(process_, SIGSTOP); }
  ~StoppedProcess() { resume(); }
  StoppedProcess(const StoppedProcess&) = delete;
  StoppedProcess& operator=(const StoppedProcess&) = delete;
  void resume() {
    if (process_ > 0) kill(std::exchange(process_, 0), SIGCONT);
  }

 private:
  pid_t process_;
};

// A window opened while a picture begun before it still owes its line is drawn at once,
// yet appears only when that line is written, whole; the next one, owing nothing,
// appears at once.
TEST(X11Windows, AWindowAppearsOnlyAfterTheLinesOfPicturesBegunBeforeIt) {
  REQUIRE_XVFB();
  const testing::PictureFolder folder;
  RemotePgplot pgplot;
  pgplot.finish_in_background(true);
  pgplot.PGBEG(0, "held.ps/ps", 1, 1);
  pgplot.PGPAGE();
  pgplot.PGSWIN(0, 1, 0, 1);
  const std::array<float, 2> line{0, 1};
  pgplot.PGLINE(line, line);
  ASSERT_NE(pgplot.process(), nullptr);
  StoppedProcess held_up(pgplot.process()->process());
  std::vector<std::string> lines;
  pgplot.end_then([&lines](bool complete) { lines.push_back(complete ? "written" : "lost"); });

  ASSERT_EQ(windows.open_window(101, "USER", "After the picture"), 0);
  draw_plot(windows, 101, 14, 1.0);
  windows.present();
  Onlooker onlooker(running.server.display_name());
  ASSERT_NE(onlooker.display(), nullptr);
  const Window waiting = onlooker.find("After the picture");
  ASSERT_NE(waiting, 0u);
  EXPECT_EQ(map_state(onlooker, waiting), IsUnmapped);
  EXPECT_THAT(lines, ::testing::IsEmpty());

  held_up.resume();
  write_lines_in_waiting();
  EXPECT_THAT(lines, ::testing::ElementsAre("written"));
  windows.present();
  EXPECT_EQ(map_state(onlooker, waiting), IsViewable);
  const auto shown = onlooker.read(waiting, 610, 410);
  ASSERT_EQ(shown.pixels.size(), 610u * 410u);
  int differences = 0;
  windows.inspect([&](OffscreenWindows& surfaces) {
    const PixelSurface& surface = *surfaces.unit(101)->surface;
    for (int y = 0; y < 410; ++y)
      for (int x = 0; x < 610; ++x) differences += shown.at(x, y) != surface.at(x, y);
  });
  EXPECT_EQ(differences, 0);

  ASSERT_EQ(windows.open_window(102, "USER", "Nothing owed"), 0);
  windows.present();
  const Window next = onlooker.find("Nothing owed");
  ASSERT_NE(next, 0u);
  EXPECT_EQ(map_state(onlooker, next), IsViewable);
  pgplot.finish_in_background(false);
}

TEST(X11Windows, AFinishedWindowIsRepaintedExactlyFromItsCompactPixels) {
  REQUIRE_XVFB();
  windows.open_window(101, "USER", "Finished");
  windows.open_window(102, "USER", "Next");
  draw_plot(windows, 101, 14, 1.0);
  windows.present();
  std::vector<std::uint32_t> drawn(1024 * 816);
  windows.inspect([&](OffscreenWindows& surfaces) {
    surfaces.unit(101)->surface->copy_area({0, 0, 1023, 815}, drawn.data(), 1024);
  });
  // The plotter moves on: the first window is finished and kept compact.
  draw_plot(windows, 102, 12, 0.5);
  windows.present();
  windows.inspect(
      [](OffscreenWindows& surfaces) { EXPECT_TRUE(surfaces.unit(101)->surface->compacted()); });

  // Hidden and shown again by someone else, the whole window is exposed and repainted.
  Onlooker onlooker(running.server.display_name());
  const Window window = onlooker.find("Finished");
  ASSERT_NE(window, 0u);
  XUnmapWindow(onlooker.display(), window);
  XSync(onlooker.display(), False);
  XMapRaised(onlooker.display(), window);
  XSync(onlooker.display(), False);
  int differences = -1;
  poll_until(
      std::chrono::seconds(5),
      [&] {
        const auto shown = onlooker.read(window, 1024, 816);
        if (shown.pixels.size() != drawn.size()) return false;
        differences = 0;
        for (int y = 0; y < 816; ++y)
          for (int x = 0; x < 1024; ++x)
            differences += shown.at(x, y) != (drawn[y * 1024 + x] & 0xFFFFFF);
        return differences == 0;
      },
      std::chrono::milliseconds(20));
  EXPECT_EQ(differences, 0);
  windows.inspect([](OffscreenWindows& surfaces) {
    EXPECT_TRUE(surfaces.unit(101)->surface->compacted());  // a repaint only reads
  });
}

TEST(X11Windows, DrawingAfterAPresentationIsShownWithoutAskingAgain) {
  REQUIRE_XVFB();
  windows.open_window(101, "USER", "Late");
  windows.focus_window(101);
  windows.present();
  windows.set_colour(10);
  windows.draw_rectangle(RectangleControl::filled, 10, 10, 19, 19);
  Onlooker onlooker(running.server.display_name());
  const Window window = onlooker.find("Late");
  ASSERT_NE(window, 0u);
  std::uint32_t pixel = 0;
  poll_until(std::chrono::seconds(5), [&] {
    const auto shown = onlooker.read(window, 16, 16);
    if (shown.pixels.empty()) return false;
    pixel = shown.at(15, 15);
    return pixel == 0x00FF00;
  });
  EXPECT_EQ(pixel, 0x00FF00u);
}

TEST(X11Windows, KeepingWindowsEndsWhenTheUserHasClosedThemAll) {
  REQUIRE_XVFB();
  windows.open_window(101, "USER", "One");
  windows.open_window(102, "USER", "Two");
  draw_plot(windows, 101, 14, 1.0);
  windows.present();
  auto waiting = std::async(std::launch::async, [&] { windows.keep_windows_until_closed(); });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  // Nothing more is drawn while the program waits: every window is kept compact.
  windows.inspect([](OffscreenWindows& surfaces) {
    EXPECT_TRUE(surfaces.unit(101)->surface->compacted());
    EXPECT_TRUE(surfaces.unit(102)->surface->compacted());
  });

  Onlooker onlooker(running.server.display_name());
  onlooker.close(onlooker.find("One"));
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  // Destroyed by another program than the window manager: closed too.
  XDestroyWindow(onlooker.display(), onlooker.find("Two"));
  XSync(onlooker.display(), False);
  const bool ended = waiting.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  // Never leave the wait hanging: without its server it returns at once.
  if (!ended) running.server.stop();
  EXPECT_TRUE(ended);
  waiting.get();

  // A closed window stays closed; drawing into it is harmless.
  draw_plot(windows, 101, 12, 2.0);
  windows.present();
  EXPECT_EQ(onlooker.find("One"), 0u);
  windows.keep_windows_until_closed();  // nothing left on screen: returns at once
}

TEST(X11Windows, ACloseThatArrivesWithTheServersReplyIsHandledAtOnce) {
  REQUIRE_XVFB();
  windows.open_window(101, "USER", "Busy");
  draw_plot(windows, 101, 14, 1.0);
  windows.present();
  Onlooker onlooker(running.server.display_name());
  const Window window = onlooker.find("Busy");
  ASSERT_NE(window, 0u);
  // With the server grabbed, the presentation waits for the server's reply; the close
  // message reaches the program just before that reply, read together with it.
  XGrabServer(onlooker.display());
  XSync(onlooker.display(), False);
  auto presenting = std::async(std::launch::async, [&] { windows.present(); });
  EXPECT_EQ(presenting.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  onlooker.close(window);
  XUngrabServer(onlooker.display());
  XFlush(onlooker.display());
  ASSERT_EQ(presenting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  poll_until(std::chrono::seconds(2), [&] { return onlooker.find("Busy") == 0; });
  EXPECT_EQ(onlooker.find("Busy"), 0u) << "the closed window is still on screen";
}

TEST(X11Windows, TheConsoleWindowIsOpenedWhenDrawnIntoAndWithdrawnInTextMode) {
  REQUIRE_XVFB();
  windows.set_colour(14);
  windows.set_pixel(5, 5);
  windows.present();
  Onlooker onlooker(running.server.display_name());
  const Window console = onlooker.find("Curvist");
  ASSERT_NE(console, 0u);
  XWindowAttributes attributes;
  XGetWindowAttributes(onlooker.display(), console, &attributes);
  EXPECT_EQ(attributes.map_state, IsViewable);
  windows.set_text_mode(-1);
  windows.clear_screen(0);
  windows.present();
  XGetWindowAttributes(onlooker.display(), console, &attributes);
  EXPECT_EQ(attributes.map_state, IsUnmapped);
  windows.keep_windows_until_closed();  // a withdrawn console is no window to wait for
}

TEST(X11Windows, ALostServerLeavesDrawingOffscreenWithOneMessage) {
  REQUIRE_XVFB();
  windows.open_window(101, "USER", "Doomed");
  draw_plot(windows, 101, 14, 1.0);
  windows.present();
  running.server.stop();
  // The presenter notices at its next exchange with the server.
  for (int round = 0; round < 50 && !windows.display_lost(); ++round) {
    draw_plot(windows, 101, 12, 0.5 + round);
    windows.present();
  }
  draw_plot(windows, 101, 12, 3.0);
  windows.present();
  windows.keep_windows_until_closed();
  const std::string message = running.errors.str();
  EXPECT_TRUE(windows.display_lost());
  EXPECT_NE(message.find("drawn offscreen"), std::string::npos) << message;
  EXPECT_EQ(message.find("drawn offscreen"), message.rfind("drawn offscreen"));
  windows.inspect([](OffscreenWindows& surfaces) {
    EXPECT_EQ(surfaces.unit(101)->surface->at(1, 1), 0x800080u);
  });
}

TEST(ScreenWindows, WithoutADisplayThePlotsAreDrawnOffscreen) {
  ScopedDisplayVariable no_display(nullptr);
  std::ostringstream errors;
  RecordingErrorStream error_stream(errors);
  const auto windows = make_screen_windows(error_stream);
  const std::string message = errors.str();
  EXPECT_NE(dynamic_cast<OffscreenWindows*>(windows.get()), nullptr);
  EXPECT_EQ(message,
            "curvist: DISPLAY is not set; the screen plots are drawn offscreen and not shown\n");
}

TEST(ScreenWindows, AnUnreachableDisplayIsReportedOnce) {
  ScopedDisplayVariable unreachable(":9876");
  std::ostringstream errors;
  RecordingErrorStream error_stream(errors);
  const auto windows = make_screen_windows(error_stream);
  const std::string message = errors.str();
  EXPECT_NE(dynamic_cast<OffscreenWindows*>(windows.get()), nullptr);
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  EXPECT_NE(message.find(":9876"), std::string::npos);
}

}  // namespace
}  // namespace curvist
