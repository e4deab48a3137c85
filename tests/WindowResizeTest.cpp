// Screen plots in X11 windows on a private X server, resized through the server as a
// user's window manager would: a window whose plot was laid out to it shows, pixel for
// pixel, a fresh plot of the same data at its new size; every other window keeps what it
// showed.
#include <gtest/gtest.h>

// After the test framework: Xlib defines macros such as None and Bool.
#include "X11PlotPlatform.hpp"

#include <cairo.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "LoadPlot.hpp"
#include "LoadedArrays.hpp"
#include "Plot.hpp"
#include "PollUntil.hpp"
#include "TemporaryFolder.hpp"
#include "XvfbServer.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/OffscreenWindows.hpp"
#include "window/X11Windows.hpp"

namespace curvist {
namespace {

using namespace std::chrono_literals;
using PLOTPACK::ScreenPlotOptions;
using testing::contents_of;
using testing::poll_until;
using testing::TemporaryFolder;
using testing::WindowPixels;
using testing::XvfbServer;

// Two curves of `points` points, column after column.
struct Curves {
  std::vector<double> x;
  std::vector<double> y;
  std::size_t points;

  ColumnMajorView<const double> x_view() const { return {x.data(), points, 2}; }
  ColumnMajorView<const double> y_view() const { return {y.data(), points, 2}; }
};

Curves damped_waves(double frequency) {
  Curves curves{{}, {}, 300};
  for (int curve = 0; curve < 2; ++curve)
    for (std::size_t point = 0; point < curves.points; ++point) {
      const double t = static_cast<double>(point) * 0.05;
      curves.x.push_back(t);
      curves.y.push_back(std::exp(-t / (4 + 4 * curve)) * std::sin(frequency * t + curve));
    }
  return curves;
}

void plot(const Curves& curves, ScreenPlotOptions options) {
  PLOTPACK::PLOTDP(curves.x_view(), curves.y_view(), options);
}

ScreenPlotOptions laid_out_to_window(const char* title) {
  return {.RESOLUTION = 0, .XLABEL = "t (s)", .YLABEL = "y", .TITLE = title, .OWNWINDOW = true};
}

// What the plots draw as the first window of a fresh run, opened at the given client
// size: the offscreen surface a resized window must match.
std::unique_ptr<OffscreenWindows> drawn_fresh(int width, int height,
                                              const std::function<void()>& plots) {
  auto windows = std::make_unique<OffscreenWindows>();
  windows->set_new_window_size(width, height);
  std::ostringstream unused;
  RecordingConsole console(unused);
  RecordingPgplot pgplot(unused);
  const ScopedPlatform fresh({console, pgplot, *windows});
  plots();
  return windows;
}

// A copy of a surface's pixels, 0xRRGGBB each.
struct SurfacePixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  explicit SurfacePixels(const PixelSurface& surface)
      : width(surface.width()),
        height(surface.height()),
        pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    surface.copy_area({0, 0, width - 1, height - 1}, pixels.data(),
                      static_cast<std::size_t>(width));
    for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  }
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  friend bool operator==(const SurfacePixels&, const SurfacePixels&) = default;
};

// Pixels of the window that differ from the surface's; the surface covers the window.
template <typename Surface>
int differences(const WindowPixels& shown, const Surface& surface) {
  int differing = 0;
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < shown.width; ++x) differing += shown.at(x, y) != surface.at(x, y) ? 1 : 0;
  return differing;
}

// A private server, the program's X11 windows as the platform of the test (with a
// recorded console), and an onlooker to resize and read the windows.
class WindowResize : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
    x11_.start();
  }

  void TearDown() override { x11_.stop_windows(); }

  Window shown(const std::string& title) {
    x11_.windows->present();
    Window window = 0;
    poll_until(10s, [&] { return (window = x11_.onlooker->find(title)) != 0; });
    return window;
  }

  void resize(Window window, int width, int height) {
    XResizeWindow(x11_.onlooker->display(), window, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XFlush(x11_.onlooker->display());
  }

  // Waits until the window shows the surface from its top-left corner, at the size the
  // window has; the number of pixels that still differ (-1 when unreadable).
  template <typename Surface>
  int pixels_differing(Window window, int width, int height, const Surface& surface) {
    int differing = -1;
    poll_until(
        20s,
        [&] {
          x11_.onlooker->raise(window);
          const auto pixels = x11_.onlooker->read(window, width, height);
          if (pixels.width != width || pixels.height != height) return false;
          differing = differences(pixels, surface);
          return differing == 0;
        },
        20ms);
    return differing;
  }

  SurfacePixels surface_pixels(int unit) {
    std::optional<SurfacePixels> pixels;
    x11_.windows->inspect(
        [&](OffscreenWindows& surfaces) { pixels.emplace(*surfaces.unit(unit)->surface); });
    return *pixels;
  }

  testing::X11PlotPlatform x11_;
};

TEST_F(WindowResize, AWindowLaidOutToItsSizeShowsAFreshPlotOfItsNewSize) {
  const Curves waves = damped_waves(2);
  plot(waves, laid_out_to_window("Waves"));
  const Window window = shown("Waves");
  ASSERT_NE(window, 0u);
  const std::string console_before = x11_.trace.str();

  // Smaller, then larger than it opened (neither a whole number of cells), then back to a
  // size it had.
  for (const auto& [width, height] : {std::pair{701, 505}, {1203, 951}, {701, 505}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    resize(window, width, height);
    const auto fresh =
        drawn_fresh(width, height, [&] { plot(waves, laid_out_to_window("Waves")); });
    EXPECT_EQ(pixels_differing(window, width, height, *fresh->unit(101)->surface), 0);
  }

  // The same window and unit; nothing printed, no window opened, the counter as it was.
  EXPECT_EQ(x11_.onlooker->find("Waves"), window);
  EXPECT_EQ(x11_.trace.str(), console_before);
  EXPECT_EQ(PLOTPACK::window_counter(), 101);
  x11_.windows->inspect([](OffscreenWindows& surfaces) {
    EXPECT_EQ(surfaces.units().size(), 2u);  // the console and the plot's window
    EXPECT_EQ(surfaces.active_unit(), 101);
  });
}

// LOADPLOT's window keeps the arrays the file was read into rather than a copy of its
// points: they outlive the call, and a resize after it shows the plot drawn afresh.
TEST_F(WindowResize, ALoadedFilesWindowIsDrawnAgainFromTheArraysItWasReadInto) {
  const TemporaryFolder folder;
  const testing::ScopedCurrentFolder inside(folder.path());
  const Curves waves = damped_waves(4);
  std::string text = "-2\n" + std::to_string(waves.points) + "\n";
  for (std::size_t index = 0; index < waves.x.size(); ++index)
    text += std::to_string(waves.x[index]) + " " + std::to_string(waves.y[index]) + "\n";
  folder.write("loaded.dat", text + "t (s)\ny\nLoaded\n");
  LOADPLOTPACK::LOADPLOT("loaded.dat");
  const Window window = shown("Loaded");
  ASSERT_NE(window, 0u);
  const auto fresh = drawn_fresh(777, 555, [] { LOADPLOTPACK::LOADPLOT("loaded.dat"); });
  std::filesystem::remove(folder / "loaded.dat");

  resize(window, 777, 555);
  EXPECT_EQ(pixels_differing(window, 777, 555, *fresh->unit(101)->surface), 0);
}

TEST_F(WindowResize, ADragOfManySizesEndsShowingTheLastOne) {
  const Curves waves = damped_waves(3);
  plot(waves, laid_out_to_window("Dragged"));
  const Window window = shown("Dragged");
  ASSERT_NE(window, 0u);
  // A drag's stream of sizes, sent as fast as the server takes them.
  for (int step = 0; step < 60; ++step) resize(window, 1000 - 7 * step, 800 - 5 * step);
  const auto fresh =
      drawn_fresh(1000 - 7 * 59, 800 - 5 * 59, [&] { plot(waves, laid_out_to_window("Dragged")); });
  EXPECT_EQ(pixels_differing(window, 1000 - 7 * 59, 800 - 5 * 59, *fresh->unit(101)->surface), 0);
}

TEST_F(WindowResize, ARedrawLeavesTheWindowTheProgramDrawsInAlone) {
  const Curves waves = damped_waves(2);
  plot(waves, laid_out_to_window("Left behind"));
  const Window window = shown("Left behind");
  ASSERT_NE(window, 0u);
  plot(damped_waves(5), laid_out_to_window("In use"));
  x11_.windows->present();
  resize(window, 640, 480);
  const auto fresh = drawn_fresh(640, 480, [&] { plot(waves, laid_out_to_window("Left behind")); });
  EXPECT_EQ(pixels_differing(window, 640, 480, *fresh->unit(101)->surface), 0);

  // The program goes on in its active window with the colour and the mapping its plot
  // left, as if there had been no redraw.
  x11_.windows->inspect([](OffscreenWindows& surfaces) { EXPECT_EQ(surfaces.active_unit(), 102); });
  x11_.windows->set_pixel(7.0, 0.9);
  const auto undisturbed = drawn_fresh(1024, 816, [&] {
    plot(waves, laid_out_to_window("Left behind"));
    plot(damped_waves(5), laid_out_to_window("In use"));
    current_windows().set_pixel(7.0, 0.9);
  });
  EXPECT_TRUE(surface_pixels(102) == SurfacePixels(*undisturbed->unit(102)->surface));
  EXPECT_EQ(PLOTPACK::window_counter(), 102);
}

TEST_F(WindowResize, AWindowKeepsItsPixelsOnceSomethingElseDrewIntoIt) {
  const Curves waves = damped_waves(2);
  // A plot of a fixed size.
  plot(waves, {.RESOLUTION = 1, .TITLE = "Fixed", .OWNWINDOW = true});
  // Laid out to its window, then drawn over by a plot without a window of its own, which
  // leaves the window cleared after the user's Enter.
  plot(waves, laid_out_to_window("Cleared"));
  plot(waves, {.RESOLUTION = 0});
  // Laid out to its window, then reused by a plot of a fixed size.
  plot(waves, laid_out_to_window("Reused"));
  plot(damped_waves(4), {.RESOLUTION = 2, .OWNWINDOW = true, .REUSEWINDOW = true});
  // Laid out to its window, then drawn into directly.
  plot(waves, laid_out_to_window("Drawn into"));
  x11_.windows->draw_rectangle(RectangleControl::filled, 100, 100, 200, 150);
  // The same, and then reused by a plot laid out to the window: the rectangle's corner
  // outside the plot area stays.
  plot(waves, laid_out_to_window("Drawn into, then reused"));
  x11_.windows->set_viewport(0, 0, 1000, 800);
  x11_.windows->draw_rectangle(RectangleControl::filled, 0, 0, 200, 150);
  ScreenPlotOptions reusing = laid_out_to_window("");
  reusing.REUSEWINDOW = true;
  plot(damped_waves(4), reusing);
  // Laid out to its window and left alone: its redraw shows that the resizes were seen.
  plot(waves, laid_out_to_window("Untouched"));

  const std::vector<std::string> titles = {"Fixed", "Cleared", "Reused", "Drawn into",
                                           "Drawn into, then reused"};
  std::vector<SurfacePixels> pixels_before;
  std::vector<Window> frozen;
  for (int unit = 101; unit <= 105; ++unit) pixels_before.push_back(surface_pixels(unit));
  for (const auto& title : titles) {
    frozen.push_back(shown(title));
    ASSERT_NE(frozen.back(), 0u) << title;
    resize(frozen.back(), 600, 400);
  }
  const Window untouched = shown("Untouched");
  ASSERT_NE(untouched, 0u);
  resize(untouched, 600, 400);
  const auto fresh = drawn_fresh(600, 400, [&] { plot(waves, laid_out_to_window("Untouched")); });
  ASSERT_EQ(pixels_differing(untouched, 600, 400, *fresh->unit(101)->surface), 0);

  // The resizes reached the others first; they were not redrawn, and show what they did.
  for (std::size_t index = 0; index < titles.size(); ++index) {
    SCOPED_TRACE(titles[index]);
    EXPECT_TRUE(surface_pixels(101 + static_cast<int>(index)) == pixels_before[index]);
    EXPECT_EQ(pixels_differing(frozen[index], 600, 400, pixels_before[index]), 0);
  }
}

TEST_F(WindowResize, APlotThatReusesAFollowingWindowTakesItsPlace) {
  const Curves first = damped_waves(2);
  const Curves second = damped_waves(6);
  plot(first, laid_out_to_window("Reused"));
  ScreenPlotOptions reusing = laid_out_to_window("Reused");
  reusing.REUSEWINDOW = true;
  plot(second, reusing);
  const Window window = shown("Reused");
  ASSERT_NE(window, 0u);
  // The window shows what the second plot drawn alone shows, at any size.
  for (const auto& [width, height] : {std::pair{1024, 816}, {800, 560}, {960, 700}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    if (width != 1024) resize(window, width, height);
    const auto fresh =
        drawn_fresh(width, height, [&] { plot(second, laid_out_to_window("Reused")); });
    EXPECT_EQ(pixels_differing(window, width, height, *fresh->unit(101)->surface), 0);
  }
  // Reused again after the resizes, the plot paints over the redrawn one as over a plot
  // drawn at this size, and the window goes on following with it.
  plot(first, reusing);
  const auto reused_after_resizes = drawn_fresh(960, 700, [&] {
    plot(second, laid_out_to_window("Reused"));
    plot(first, reusing);
  });
  EXPECT_EQ(pixels_differing(window, 960, 700, *reused_after_resizes->unit(101)->surface), 0);
  resize(window, 720, 520);
  const auto fresh = drawn_fresh(720, 520, [&] { plot(first, laid_out_to_window("Reused")); });
  EXPECT_EQ(pixels_differing(window, 720, 520, *fresh->unit(101)->surface), 0);
}

// A plot whose redraw runs out of memory.
class UnaffordablePlot final : public RedrawablePlot {
 public:
  void draw(WindowOperations&, int) const override { throw std::bad_alloc(); }
};

// Standard error goes to a file for the life of the object, so that what another thread
// writes can be watched for.
class StandardErrorInFile {
 public:
  explicit StandardErrorInFile(const std::filesystem::path& file)
      : file_(file), saved_(dup(STDERR_FILENO)) {
    const int descriptor = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(descriptor, STDERR_FILENO);
    close(descriptor);
  }
  ~StandardErrorInFile() {
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  StandardErrorInFile(const StandardErrorInFile&) = delete;
  StandardErrorInFile& operator=(const StandardErrorInFile&) = delete;

  std::string text() const { return contents_of(file_); }

 private:
  std::filesystem::path file_;
  int saved_;
};

TEST_F(WindowResize, ARedrawWithoutMemoryIsToldAtOnceAndLeavesThePixels) {
  plot(damped_waves(2), laid_out_to_window("Unaffordable"));
  x11_.windows->follow_resizes(101, x11_.windows->query_window_size(101), false,
                               std::make_shared<const UnaffordablePlot>());
  const Window window = shown("Unaffordable");
  ASSERT_NE(window, 0u);
  const SurfacePixels before = surface_pixels(101);

  TemporaryFolder folder;
  std::string told;
  {
    const StandardErrorInFile errors(folder / "errors");
    // The program waits for its windows to be closed; the user resizes one meanwhile.
    auto waiting =
        std::async(std::launch::async, [&] { x11_.windows->keep_windows_until_closed(); });
    resize(window, 600, 400);
    poll_until(10s, [&] { return !errors.text().empty(); });
    told = errors.text();
    x11_.onlooker->close(window);
    EXPECT_EQ(waiting.wait_for(10s), std::future_status::ready);
  }
  EXPECT_EQ(told,
            "curvist: the window \"Unaffordable\" could not be drawn again at its new size (out "
            "of memory); it shows its plot as it was\n");
  EXPECT_TRUE(surface_pixels(101) == before);
}

}  // namespace
}  // namespace curvist

// Live windows: a plot put in the place of a window's plot, and the wait of a program
// that follows its files while its windows are shown.
namespace curvist {
namespace {

TEST_F(WindowResize, APlotPutInAWindowsPlaceShowsAtItsSizeAndFollowsLaterResizes) {
  plot(damped_waves(2), laid_out_to_window("Before"));
  const Window window = shown("Before");
  ASSERT_NE(window, 0u);
  resize(window, 733, 517);
  // Until the window has its new size, a plot put in its place would be drawn at the old.
  ASSERT_EQ(pixels_differing(
                window, 733, 517,
                *drawn_fresh(733, 517, [] { plot(damped_waves(2), laid_out_to_window("Before")); })
                     ->unit(101)
                     ->surface),
            0);
  const std::string console_before = x11_.trace.str();

  const Curves replacement = damped_waves(7);
  ASSERT_TRUE(PLOTPACK::replot_window(
      101, {replacement.x_view(), replacement.y_view(), "t (s)", "y", "After", nullptr}));
  x11_.windows->present();
  // The same window under its new title, showing a fresh plot of the new curves.
  EXPECT_EQ(x11_.onlooker->find("After"), window);
  EXPECT_EQ(x11_.onlooker->find("Before"), 0u);
  const auto fresh = [&](int width, int height) {
    return drawn_fresh(width, height, [&] { plot(replacement, laid_out_to_window("After")); });
  };
  EXPECT_EQ(pixels_differing(window, 733, 517, *fresh(733, 517)->unit(101)->surface), 0);
  resize(window, 900, 600);
  EXPECT_EQ(pixels_differing(window, 900, 600, *fresh(900, 600)->unit(101)->surface), 0);
  EXPECT_EQ(x11_.trace.str(), console_before);
  EXPECT_EQ(PLOTPACK::window_counter(), 101);
}

TEST_F(WindowResize, AWindowTheUserClosedStaysClosed) {
  plot(damped_waves(2), laid_out_to_window("Closed"));
  const Window window = shown("Closed");
  ASSERT_NE(window, 0u);
  x11_.onlooker->close(window);
  ASSERT_TRUE(poll_until(10s, [&] { return x11_.onlooker->find("Closed") == 0; }));
  const Curves replacement = damped_waves(3);
  EXPECT_FALSE(PLOTPACK::replot_window(
      101, {replacement.x_view(), replacement.y_view(), "t (s)", "y", "Reopened?", nullptr}));
  x11_.windows->present();
  EXPECT_EQ(x11_.onlooker->find("Reopened?"), 0u);
  EXPECT_EQ(x11_.onlooker->titled_windows().size(), 0u);
}

TEST_F(WindowResize, AWaitForFilesEndsWhenTheLastWindowShownIsClosed) {
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  using WaitEnd = WindowOperations::WaitEnd;
  // No window was ever shown: nothing but the descriptor and the limit ends the wait.
  EXPECT_EQ(x11_.windows->keep_windows_while_waiting(pipe_ends[0], 30ms), WaitEnd::time_up);
  ASSERT_EQ(write(pipe_ends[1], "x", 1), 1);
  EXPECT_EQ(x11_.windows->keep_windows_while_waiting(pipe_ends[0], std::nullopt),
            WaitEnd::descriptor_ready);
  char drained;
  ASSERT_EQ(read(pipe_ends[0], &drained, 1), 1);

  plot(damped_waves(2), laid_out_to_window("One"));
  plot(damped_waves(3), laid_out_to_window("Two"));
  auto waiting = std::async(std::launch::async, [&] {
    return x11_.windows->keep_windows_while_waiting(pipe_ends[0], std::nullopt);
  });
  const Window one = shown("One");
  const Window two = shown("Two");
  x11_.onlooker->close(one);
  EXPECT_EQ(waiting.wait_for(300ms), std::future_status::timeout) << "one window is left";
  x11_.onlooker->close(two);
  ASSERT_EQ(waiting.wait_for(10s), std::future_status::ready);
  EXPECT_EQ(waiting.get(), WaitEnd::windows_closed);
  // And so does every later wait: no window is shown any more.
  EXPECT_EQ(x11_.windows->keep_windows_while_waiting(pipe_ends[0], 10s), WaitEnd::windows_closed);
  close(pipe_ends[0]);
  close(pipe_ends[1]);
}

}  // namespace
}  // namespace curvist

// Windows explored with the pointer and the keys, through the server as a user would
// (xdotool): each view is, pixel for pixel, a fresh plot laid out for its range.
namespace curvist {
namespace {

class WindowExploring : public WindowResize {
 protected:
  void SetUp() override {
    WindowResize::SetUp();
    if (!IsSkipped() && std::system("xdotool version >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "xdotool is not installed";
  }

  // xdotool's commands against the window (its number stands for %w).
  void user(Window window, std::string commands) {
    for (auto at = commands.find("%w"); at != std::string::npos; at = commands.find("%w"))
      commands.replace(at, 2, std::to_string(window));
    ASSERT_EQ(std::system(("xdotool " + commands).c_str()), 0) << commands;
  }

  // The data values of the pixels between two corners, as the window maps them now.
  PlotView view_of_pixels(int x1, int y1, int x2, int y2) {
    DrawingState drawing;
    x11_.windows->inspect(
        [&](OffscreenWindows& surfaces) { drawing = surfaces.unit(101)->drawing; });
    const auto x = [&](int pixel) { return (pixel - drawing.map_x.offset) / drawing.map_x.scale; };
    const auto y = [&](int pixel) { return (pixel - drawing.map_y.offset) / drawing.map_y.scale; };
    return {std::min(x(x1), x(x2)), std::max(x(x1), x(x2)), std::min(y(y1), y(y2)),
            std::max(y(y1), y(y2))};
  }

  // A fresh plot of the curves laid out for the view's range, at the window's size.
  static std::unique_ptr<OffscreenWindows> viewed_fresh(const Curves& curves, PlotView view) {
    return drawn_fresh(1024, 816, [&] {
      PLOTPACK::TextField120 x_caption("t (s)"), y_caption("y"), title("Explored");
      PLOTPACK::PREPARESCREEN(view.xmin, view.xmax, view.ymin, view.ymax, true, false, false, 0,
                              x_caption, y_caption, title, true, false);
      WindowOperations& windows = current_windows();
      for (std::size_t curve = 0; curve < 2; ++curve)
        for (std::size_t point = 0; point < curves.points; ++point) {
          const std::size_t index = curve * curves.points + point;
          if (point == 0)
            windows.move_to(curves.x[index], curves.y[index]);
          else
            windows.line_to(curves.x[index], curves.y[index]);
          windows.set_pixel(curves.x[index], curves.y[index]);
        }
    });
  }

  std::string title_of(Window window) { return x11_.onlooker->net_wm_name(window); }
};

TEST_F(WindowExploring, DragWheelArrowsBackAndHomeShowFreshPlotsOfTheirViews) {
  const Curves waves = damped_waves(2);
  plot(waves, laid_out_to_window("Explored"));
  const Window window = shown("Explored");
  ASSERT_NE(window, 0u);
  const SurfacePixels first = surface_pixels(101);
  const auto shows = [&](const auto& surface) {
    return pixels_differing(window, 1024, 816, surface);
  };

  // Escape during a drag, and a rectangle of a few pixels, leave the window as it was.
  user(window,
       "mousemove --window %w 200 150 mousedown 1 mousemove --window %w 500 400 "
       "key Escape mouseup 1 mousemove --window %w 300 300 mousedown 1 "
       "mousemove --window %w 302 303 mouseup 1");
  x11_.windows->present();
  EXPECT_EQ(shows(first), 0);
  EXPECT_TRUE(surface_pixels(101) == first);

  const PlotView zoomed = view_of_pixels(300, 200, 700, 500);
  user(window,
       "mousemove --window %w 300 200 mousedown 1 mousemove --window %w 500 400 "
       "mousemove --window %w 700 500 mouseup 1");
  EXPECT_EQ(shows(*viewed_fresh(waves, zoomed)->unit(101)->surface), 0);

  // A tenth of the range to the right and one up.
  user(window, "key Right Up");
  const double tenth_x = (zoomed.xmax - zoomed.xmin) / 10;
  const double tenth_y = (zoomed.ymax - zoomed.ymin) / 10;
  const PlotView moved{zoomed.xmin + tenth_x, zoomed.xmax + tenth_x, zoomed.ymin + tenth_y,
                       zoomed.ymax + tenth_y};
  EXPECT_EQ(shows(*viewed_fresh(waves, moved)->unit(101)->surface), 0);

  // The wheel changes the view; u and the right button step back through the views (each
  // arrow key made one).
  const SurfacePixels before_wheel = surface_pixels(101);
  user(window, "click 4");
  EXPECT_TRUE(poll_until(10s, [&] { return !(surface_pixels(101) == before_wheel); }));
  user(window, "key u");
  EXPECT_EQ(shows(*viewed_fresh(waves, moved)->unit(101)->surface), 0);
  user(window, "click 3 click 3");
  EXPECT_EQ(shows(*viewed_fresh(waves, zoomed)->unit(101)->surface), 0);

  // A resize keeps the view; a replot under --watch keeps it too.
  resize(window, 800, 600);
  x11_.windows->present();
  resize(window, 1024, 816);
  EXPECT_EQ(shows(*viewed_fresh(waves, zoomed)->unit(101)->surface), 0);
  const Curves newer = damped_waves(3);
  ASSERT_TRUE(PLOTPACK::replot_window(
      101, {newer.x_view(), newer.y_view(), "t (s)", "y", "Explored", nullptr}));
  EXPECT_EQ(shows(*viewed_fresh(newer, zoomed)->unit(101)->surface), 0);

  // Home: the whole data, pixel for pixel as first drawn.
  ASSERT_TRUE(PLOTPACK::replot_window(
      101, {waves.x_view(), waves.y_view(), "t (s)", "y", "Explored", nullptr}));
  user(window, "mousemove --window %w 400 300 key Home");
  EXPECT_EQ(shows(first), 0);
}

TEST_F(WindowExploring, TheTitleShowsTheValuesUnderThePointerAndTheKeys) {
  const Curves waves = damped_waves(2);
  ScreenPlotOptions options = laid_out_to_window("Values");
  options.LOGY = false;
  plot(waves, options);
  const Window window = shown("Values");
  ASSERT_NE(window, 0u);
  const SurfacePixels pixels = surface_pixels(101);
  const PlotView at = view_of_pixels(412, 305, 412, 305);

  user(window, "mousemove --window %w 412 305");
  std::string title;
  ASSERT_TRUE(poll_until(10s, [&] { return (title = title_of(window)) != "Values"; })) << title;
  double x = 0;
  double y = 0;
  ASSERT_EQ(std::sscanf(title.c_str(), "Values   x = %lf  y = %lf", &x, &y), 2) << title;
  // Within a pixel of the mapping's values, with the digits a pixel resolves.
  EXPECT_NEAR(x, at.xmin, (at.xmin - view_of_pixels(411, 305, 411, 305).xmin) * 1.01);
  EXPECT_NEAR(y, at.ymin, (view_of_pixels(412, 304, 412, 304).ymin - at.ymin) * 1.01);
  EXPECT_EQ(title, "Values   x = 5.9  y = 0.347");
  EXPECT_TRUE(surface_pixels(101) == pixels);

  // The help stays a few seconds; q closes the window as the window manager does.
  user(window, "key h");
  EXPECT_TRUE(poll_until(10s, [&] { return title_of(window).find("a or Home") != title.npos; }));
  auto waiting = std::async(std::launch::async, [&] { x11_.windows->keep_windows_until_closed(); });
  user(window, "key q");
  EXPECT_EQ(waiting.wait_for(10s), std::future_status::ready);
  EXPECT_EQ(x11_.onlooker->find("Values"), 0u);
}

TEST_F(WindowExploring, SAndPSaveTheWindowAndItsViewBesideTheFileReplacingNone) {
  const TemporaryFolder folder;
  const testing::ScopedCurrentFolder inside(folder.path());
  folder.write("saved.dat", "-1\n4\n1 1\n2 4\n3 9\n4 16\nx\ny\nSaved\n");
  folder.write("saved-view.png", "someone's own");
  LOADPLOTPACK::LOADPLOT("saved.dat");
  const Window window = shown("Saved");
  ASSERT_NE(window, 0u);
  user(window, "mousemove --window %w 100 100 key s");
  ASSERT_TRUE(
      poll_until(10s, [&] { return std::filesystem::exists(folder / "saved-view-2.png"); }));
  EXPECT_EQ(contents_of(folder / "saved-view.png"), "someone's own");
  cairo_surface_t* png = cairo_image_surface_create_from_png((folder / "saved-view-2.png").c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  const auto* rows = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(png));
  const int stride = cairo_image_surface_get_stride(png) / 4;
  const WindowPixels window_pixels = x11_.onlooker->read(window, 1024, 816);
  int differing = 0;
  for (int y = 0; y < 816; ++y)
    for (int x = 0; x < 1024; ++x)
      differing += (rows[y * stride + x] & 0xFFFFFF) != window_pixels.at(x, y) ? 1 : 0;
  EXPECT_EQ(cairo_image_surface_get_width(png), 1024);
  EXPECT_EQ(differing, 0);
  cairo_surface_destroy(png);

  // The picture of a zoomed view: the program writes it as its own once it waits.
  const PlotView zoomed = view_of_pixels(200, 150, 600, 500);
  user(window, "mousemove --window %w 200 150 mousedown 1 mousemove --window %w 600 500 "
               "mouseup 1 key p q");
  x11_.windows->keep_windows_until_closed();
  const std::string trace = x11_.trace.str();
  const auto limits = trace.rfind("PGSWIN ");
  float x1, x2, y1, y2;
  ASSERT_EQ(std::sscanf(trace.c_str() + limits, "PGSWIN %f %f %f %f", &x1, &x2, &y1, &y2), 4);
  EXPECT_EQ(x1, static_cast<float>(zoomed.xmin));
  EXPECT_EQ(x2, static_cast<float>(zoomed.xmax));
  EXPECT_EQ(y1, static_cast<float>(zoomed.ymin));
  EXPECT_EQ(y2, static_cast<float>(zoomed.ymax));
  EXPECT_EQ(trace.compare(trace.rfind("PGBEG "), 23, "PGBEG 0 \"saved-view.ps "), 0) << trace;
  EXPECT_NE(trace.find("console \" Output in saved-view.ps\"", limits), trace.npos) << trace;
}

}  // namespace
}  // namespace curvist
