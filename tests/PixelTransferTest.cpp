// Pixels reach the X server in shared memory where the server runs on this machine and
// offers it, and through the connection everywhere else: either way a window shows
// exactly its surface, whether it was just opened, resized or withheld until the lines
// owed before it were written; and no segment of shared memory outlives the program.
#include <gtest/gtest.h>

// After the test framework: Xlib defines macros such as None and Bool.
#include "X11PlotPlatform.hpp"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CurvistProgram.hpp"
#include "Plot.hpp"
#include "PollUntil.hpp"
#include "TemporaryFolder.hpp"
#include "console/LinesInWaiting.hpp"

namespace curvist {
namespace {

using namespace std::chrono_literals;
using testing::poll_until;
using testing::XvfbServer;
using Transfer = X11Windows::PixelTransfer;

// The System V segments of shared memory that the process made and that still exist.
int segments_made_by(pid_t process) {
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);  // the heading
  int count = 0;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    long long key = 0;
    long long identifier = 0;
    std::string permissions;
    unsigned long long size = 0;
    pid_t creator = 0;
    fields >> key >> identifier >> permissions >> size >> creator;
    count += creator == process;
  }
  return count;
}

struct Way {
  friend void PrintTo(const Way& way, std::ostream* out) { *out << way.name; }

  const char* name;
  testing::X11Choices choices;
  bool shared_memory_expected;
};

const Way ways[] = {
    {"SharedMemory", {}, true},
    {"Connection", {.transfer = Transfer::through_connection}, false},
    {"ServerWithoutSharedMemory", {.server_options = {"-extension", "MIT-SHM"}}, false},
    // The server offers the extension there too, yet cannot be assumed to share memory.
    {"Tcp", {.server_options = {"-listen", "tcp"}, .host = "127.0.0.1"}, false},
    // A server that may not attach the segment refuses it.
    {"ServerOfAnotherUser", {.server_user = testing::nobody}, false},
};

// Two curves of 300 points, column after column.
struct Curves {
  std::vector<double> x;
  std::vector<double> y;
};

Curves waves() {
  Curves curves;
  for (int curve = 0; curve < 2; ++curve)
    for (int point = 0; point < 300; ++point) {
      const double t = point * 0.05;
      curves.x.push_back(t);
      curves.y.push_back(std::exp(-t / (4 + 4 * curve)) * std::sin(3 * t + curve));
    }
  return curves;
}

class PixelTransfer : public ::testing::TestWithParam<Way> {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
    if (GetParam().choices.server_user && getuid() != 0)
      GTEST_SKIP() << "only root starts a server as another user";
    x11_.start(GetParam().choices);
  }

  void TearDown() override {
    x11_.stop_windows();
    // Once the connection is closed the server lets go of the segment, and it is gone.
    poll_until(5s, [] { return segments_made_by(getpid()) == 0; });
    EXPECT_EQ(segments_made_by(getpid()), 0);
  }

  void plot(const char* title) {
    PLOTPACK::PLOTDP(
        ColumnMajorView<const double>(curves_.x.data(), 300, 2),
        ColumnMajorView<const double>(curves_.y.data(), 300, 2),
        {.RESOLUTION = 0, .XLABEL = "t (s)", .YLABEL = "y", .TITLE = title, .OWNWINDOW = true});
  }

  Window shown(const std::string& title) {
    x11_.windows->present();
    Window window = 0;
    poll_until(10s, [&] { return (window = x11_.onlooker->find(title)) != 0; });
    return window;
  }

  // A plot laid out to its window draws a surface that covers it, and a few cells more at
  // most: the size corrections of the layout.
  static bool laid_out_to(const PixelSurface& surface, int width, int height) {
    return surface.width() >= width && surface.height() >= height &&
           surface.width() <= width + 64 && surface.height() <= height + 64;
  }

  // Waits until the window, width by height, shows the unit's surface laid out to that
  // size; the pixels that still differ then (-1 while the sizes do not fit).
  int pixels_differing(Window window, int unit, int width, int height) {
    int differing = -1;
    poll_until(
        10s,
        [&] {
          const auto pixels = x11_.onlooker->read(window, width + 1, height + 1);
          differing = -1;
          if (pixels.width != width || pixels.height != height) return false;
          x11_.windows->inspect([&](OffscreenWindows& surfaces) {
            const PixelSurface& surface = *surfaces.unit(unit)->surface;
            if (!laid_out_to(surface, width, height)) return;
            differing = 0;
            for (int y = 0; y < height; ++y)
              for (int x = 0; x < width; ++x) differing += pixels.at(x, y) != surface.at(x, y);
          });
          return differing == 0;
        },
        20ms);
    return differing;
  }

  const Curves curves_ = waves();
  testing::X11PlotPlatform x11_;
};

TEST_P(PixelTransfer, AWindowShowsItsSurfaceWhenOpenedAndWhenResized) {
  plot("Waves");
  const Window window = shown("Waves");
  ASSERT_NE(window, 0u);
  EXPECT_EQ(x11_.windows->pixels_in_shared_memory(), GetParam().shared_memory_expected);
  EXPECT_EQ(pixels_differing(window, 101, 1024, 816), 0);
  if (GetParam().shared_memory_expected) {
    EXPECT_EQ(segments_made_by(getpid()), 1);
  }

  // Drawn again at each new size, smaller and then larger than it opened.
  for (const auto& [width, height] : {std::pair{701, 505}, std::pair{1203, 951}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    XResizeWindow(x11_.onlooker->display(), window, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XFlush(x11_.onlooker->display());
    EXPECT_EQ(pixels_differing(window, 101, width, height), 0);
  }
}

TEST_P(PixelTransfer, AWithheldWindowShowsItsWholeSurfaceWhenItAppears) {
  LinesInWaiting owing([] {});
  owing.owe();
  plot("Withheld");
  const Window window = shown("Withheld");
  ASSERT_NE(window, 0u);
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(x11_.onlooker->display(), window, &attributes));
  EXPECT_EQ(attributes.map_state, IsUnmapped);
  owing.written();
  x11_.windows->present();
  EXPECT_EQ(pixels_differing(window, 101, 1024, 816), 0);
}

INSTANTIATE_TEST_SUITE_P(X11Windows, PixelTransfer, ::testing::ValuesIn(ways),
                         [](const auto& info) { return std::string(info.param.name); });

// The segment is marked for removal as soon as the server has attached it: however the
// program ends, it goes with the program and the server's hold on it. (How it ended is
// not looked at: a sanitizer turns a crash into an exit.)
class SegmentAfterTheProgram : public ::testing::TestWithParam<int> {};

TEST_P(SegmentAfterTheProgram, IsGone) {
  if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.running());
  testing::TemporaryFolder folder;
  folder.write("a.dat", testing::valid_data);
  testing::ChildSettings settings;
  settings.display = server.display_name();
  testing::ChildProgram child(testing::curvist_program, folder.path(), settings);
  ASSERT_TRUE(child.wait_until([&] {
    return child.output_so_far().find("Output in") != std::string::npos &&
           segments_made_by(child.process()) == 1;
  })) << child.errors_so_far();
  child.send(GetParam());
  ASSERT_TRUE(child.wait_for_end(10s).has_value());
  poll_until(5s, [&] { return segments_made_by(child.process()) == 0; });
  EXPECT_EQ(segments_made_by(child.process()), 0);
}

INSTANTIATE_TEST_SUITE_P(X11Windows, SegmentAfterTheProgram,
                         ::testing::Values(SIGTERM, SIGSEGV, SIGKILL),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
}  // namespace curvist
