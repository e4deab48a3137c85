// The platform a program chooses: its windows (on screen or offscreen) and its console,
// for as long as the choice lives.
#include "platform/PlatformChoice.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "PgPlot.hpp"
#include "PictureFolder.hpp"
#include "Plot.hpp"
#include "RecordedTrace.hpp"
#include "XvfbServer.hpp"
#include "console/Console.hpp"

namespace curvist {
namespace {

using Lines = std::vector<std::string>;

// A program's own console: keeps the lines, counts the reads and sleeps.
class ProgramConsole final : public Console {
 public:
  void write_line(std::string_view line) override { lines.emplace_back(line); }
  void read_line() override { ++reads; }
  void sleep_seconds(int) override { ++sleeps; }

  Lines lines;
  int reads = 0;
  int sleeps = 0;
};

const double x[] = {0, 1, 2};
const double y[] = {0, 1, 4};

// RESOLUTION 0 fits the plot to the window and, for the first window, writes its size.
void plot_in_own_window(int RESOLUTION = 1) {
  PLOTPACK::PLOTDP({x, 3, 1}, {y, 3, 1}, {.RESOLUTION = RESOLUTION, .OWNWINDOW = true});
}

// What reaches standard error while `plot` runs on a platform with these windows, where
// DISPLAY names a display nobody serves.
std::string errors_plotting_without_display(PlotWindows windows) {
  const testing::ScopedDisplayVariable unreachable(":95");
  ProgramConsole console;
  ::testing::internal::CaptureStderr();
  {
    const ChosenPlatform chosen(windows, console);
    plot_in_own_window();
  }
  return ::testing::internal::GetCapturedStderr();
}

TEST(PlatformChoice, OffscreenWindowsNeverContactTheDisplay) {
  EXPECT_EQ(errors_plotting_without_display(PlotWindows::offscreen), "");
  EXPECT_NE(errors_plotting_without_display(PlotWindows::screen).find("drawn offscreen"),
            std::string::npos);
}

// The modules' lines go to the program's console, and a screen plot without a window of
// its own waits for Enter there, not on standard input.
TEST(PlatformChoice, TheProgramsConsoleGetsTheLinesAndGivesTheEnter) {
  const testing::PictureFolder folder;
  ProgramConsole console;
  {
    const ChosenPlatform chosen(PlotWindows::offscreen, console);
    PGPLOTPACK::PGPLOTDP({x, 3, 1}, {y, 3, 1}, {.FILENAME = "chosen.ps"});
    PLOTPACK::PLOTDP({x, 3, 1}, {y, 3, 1}, {.RESOLUTION = 0});
  }
  ASSERT_FALSE(console.lines.empty());
  EXPECT_EQ(console.lines.front(), " Output in chosen.ps");
  EXPECT_EQ(console.reads, 1);
  EXPECT_TRUE(folder.entries().contains("chosen.ps"));
}

// A choice is a run of its own inside whatever platform was installed before, which gets
// the calls back, with its window numbering, when the choice ends.
TEST(PlatformChoice, EndsByRestoringThePlatformBefore) {
  std::ostringstream trace;
  ProgramConsole console;
  {
    const RecordingPlatform recorded(trace);
    plot_in_own_window();
    {
      const ChosenPlatform chosen(PlotWindows::offscreen, console);
      EXPECT_EQ(PLOTPACK::window_counter(), 100);
      plot_in_own_window(0);
      plot_in_own_window();
      EXPECT_EQ(PLOTPACK::window_counter(), 102);
      keep_windows_until_closed();  // offscreen: nothing to wait for
    }
    EXPECT_EQ(PLOTPACK::window_counter(), 101);
    plot_in_own_window();
  }
  const Lines recorded = testing::lines_of(trace.str());
  EXPECT_EQ(testing::calls_named(recorded, "open_window"),
            (Lines{"open_window 101 \"USER\" \"Representation of y=y(x)\" -> 0",
                   "open_window 102 \"USER\" \"Representation of y=y(x)\" -> 0"}));
  // The size of the chosen platform's first window went to its console alone.
  EXPECT_EQ(testing::calls_named(recorded, "console"), Lines{});
  ASSERT_EQ(console.lines.size(), 2u);
  EXPECT_TRUE(console.lines[0].starts_with(" resx = ")) << console.lines[0];
}

}  // namespace
}  // namespace curvist
