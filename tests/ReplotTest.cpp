// A plot drawn again into the window that shows it, with the new data of its file: the
// window then shows, pixel for pixel, what a fresh plot of that data shows in a new window
// of the window's present size, and nothing else of the run changes.
#include "LoadStep.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "LoadPlot.hpp"
#include "LoadedArrays.hpp"
#include "OffscreenPlots.hpp"
#include "Plot.hpp"
#include "TemporaryFolder.hpp"
#include "console/LinesInWaiting.hpp"
#include "console/RecordingConsole.hpp"
#include "console/RecordingErrorStream.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"

namespace curvist {
namespace {

using testing::ClientSize;
using testing::differing_pixels;
using testing::fresh_plot_of;
using testing::OffscreenRun;
using testing::ScopedCurrentFolder;
using testing::TemporaryFolder;
using testing::wave_data;
using Lines = std::vector<std::string>;

class Replot : public ::testing::Test {
 protected:
  Replot() : inside_(folder_.path()) {
    folder_.write("a.dat", wave_data(1.0, "First wave"));
    folder_.write("b.dat", wave_data(2.0, "Second wave"));
    LOADPLOTPACK::LOADPLOT("a.dat");
    // The load step says which window it drew into.
    EXPECT_EQ(LOADPLOTPACK::load_plot("b.dat", std::nullopt, Reasons::unasked).window_unit, 102);
    run_.new_lines();
  }

  const WindowUnit& window(int unit) { return *run_.windows.unit(unit); }

  TemporaryFolder folder_;
  ScopedCurrentFolder inside_;
  OffscreenRun run_;
};

TEST_F(Replot, AFileReloadedIsDrawnIntoItsWindowAtTheWindowsPresentSize) {
  // The user made the first window smaller; then its file was rewritten.
  run_.windows.set_client_size(101, 736, 517);
  const std::string rewritten = wave_data(-3.5, "First wave, again", 90);
  folder_.write("a.dat", rewritten);
  const auto second_before = fresh_plot_of(wave_data(2.0, "Second wave"), {1024, 816});

  const auto outcome = LOADPLOTPACK::load_plot("a.dat", std::nullopt, Reasons::asked, 101);
  EXPECT_EQ(outcome.why_not, "");
  EXPECT_EQ(outcome.window_unit, 101);
  EXPECT_EQ(differing_pixels(*window(101).surface, *fresh_plot_of(rewritten, {736, 517})), 0);
  EXPECT_EQ(window(101).title, "First wave, again");
  // The picture is written again, as LOADPLOT writes it; the console says nothing else
  // (no window size line, although the window is the first one).
  const Lines lines = run_.new_lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.front().starts_with("PGBEG 0 \"a.ps ")) << lines.front();
  EXPECT_EQ(testing::calls_named(lines, "console"), Lines{"console \" Output in a.ps\""});
  // No window opened or focused, the others untouched.
  EXPECT_EQ(PLOTPACK::window_counter(), 102);
  EXPECT_EQ(run_.windows.units().size(), 3u);
  EXPECT_EQ(run_.windows.active_unit(), 102);
  EXPECT_EQ(differing_pixels(*window(102).surface, *second_before), 0);
}

TEST_F(Replot, AFileThatGivesNoPlotNowLeavesItsWindowAndPictureAlone) {
  const auto shown = fresh_plot_of(wave_data(1.0, "First wave"), {1024, 816});
  const std::vector<std::pair<std::string, std::string>> failing = {
      {"-1\n3\n1 0\n1 2\n1 4\nx\ny\nFlat\n", "all x values are 1: no range to plot over"},
      // Cut short while it was written: the header promises more points than it holds.
      {"-1\n60\n0 0\n0.1 0.1\n0.2 0.", "the header promises 1 curve of 60 points"}};
  for (const auto& [data, reason] : failing) {
    SCOPED_TRACE(reason);
    folder_.write("a.dat", data);
    const auto outcome = LOADPLOTPACK::load_plot("a.dat", std::nullopt, Reasons::asked, 101);
    EXPECT_EQ(outcome.why_not.substr(0, reason.size()), reason);
    EXPECT_EQ(outcome.window_unit, std::nullopt);
    EXPECT_EQ(run_.new_lines(), Lines{});
    EXPECT_EQ(differing_pixels(*window(101).surface, *shown), 0);
    EXPECT_EQ(window(101).title, "First wave");
  }
}

TEST_F(Replot, AUnitWithoutAWindowGetsNoneButThePictureIsWritten) {
  const std::string data = wave_data(5.0, "No window");
  folder_.write("c.dat", data);
  // Never opened, and the console, which is no plot's window.
  for (const int unit : {103, 0}) {
    SCOPED_TRACE(unit);
    EXPECT_EQ(LOADPLOTPACK::load_plot("c.dat", std::nullopt, Reasons::unasked, unit).window_unit,
              std::nullopt);
    EXPECT_EQ(testing::calls_named(run_.new_lines(), "console"),
              Lines{"console \" Output in c.ps\""});
    EXPECT_EQ(run_.windows.units().size(), 3u);
    EXPECT_EQ(window(0).surface, nullptr);
  }
  EXPECT_EQ(PLOTPACK::window_counter(), 102);
}

// The line that says a plot cannot be kept for want of memory comes after the lines owed
// before it: a picture's " Output in " line is not overtaken.
TEST_F(Replot, APlotWithoutMemoryToKeepItIsToldAfterTheLinesOwedBeforeIt) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers' allocator keeps to no data limit";
#else
  // A caller's curves, which the plot kept for the window copies: more than is left.
  const std::size_t points = std::size_t(4) << 20;
  std::vector<double> x(points), y(points);
  for (std::size_t index = 0; index < points; ++index) {
    x[index] = double(index);
    y[index] = double(index % 7);
  }
  std::ostringstream lines;
  std::ostringstream calls;
  RecordingConsole console(lines);
  RecordingErrorStream errors(lines);
  RecordingPgplot pgplot(calls);
  const ScopedPlatform platform({console, pgplot, run_.windows, errors});
  bool picture_owed = true;
  const LinesInWaiting picture([&] {
    if (std::exchange(picture_owed, false)) console.write_line(" Output in a.ps");
  });

  // Bytes of data the process holds now, as the data limit counts them.
  const auto data_size = [] {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
      if (line.starts_with("VmData:")) return rlim_t(std::stoull(line.substr(7))) * 1024;
    return rlim_t(0);
  };
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_DATA, &limit), 0);
  const rlimit before = limit;
  limit.rlim_cur = data_size() + (rlim_t(16) << 20);
  ASSERT_EQ(setrlimit(RLIMIT_DATA, &limit), 0);
  const bool replaced = PLOTPACK::replot_window(
      101, {ColumnMajorView<const double>(x.data(), points, 1),
            ColumnMajorView<const double>(y.data(), points, 1), "x", "y", "Huge", nullptr});
  setrlimit(RLIMIT_DATA, &before);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(lines.str(),
            "console \" Output in a.ps\"\n"
            "curvist: no memory to keep the plot \"Huge\" for redrawing; its window shows the "
            "plot it showed\n");
#endif
}

}  // namespace
}  // namespace curvist
