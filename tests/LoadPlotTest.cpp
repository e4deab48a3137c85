#include "LoadPlot.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Plot.hpp"
#include "RecordedTrace.hpp"
#include "TemporaryFolder.hpp"
#include "platform/Platform.hpp"
#include "platform/RecordingPlatform.hpp"

namespace curvist {
namespace {

using testing::calls_named;
using testing::padded;
using testing::recorded_lines;
using testing::ScopedCurrentFolder;
using testing::TemporaryFolder;
using Lines = std::vector<std::string>;

// Two curves of two points; the title has blanks on both sides, the captions trailing
// blanks, and the caption lines hold PGPLOT escapes that only the screen drops.
constexpr std::string_view two_curves =
    "-2\n2\n0 1\n1 2\n0 3\n1 5\nx\\u2\\d   \nEnergy (J)   \n   Two curves  \n";

Lines without_drawing(const Lines& lines) {
  Lines kept;
  for (const auto& line : lines)
    if (!line.starts_with("move_to") && !line.starts_with("line_to") &&
        !line.starts_with("set_pixel") && !line.starts_with("draw_text"))
      kept.push_back(line);
  return kept;
}

TEST(LoadPlot, DrawsOnScreenFirstThenIntoThePictureNamedAfterTheFile) {
  TemporaryFolder folder;
  folder.write("sample.dat", two_curves);
  const ScopedCurrentFolder inside(folder.path());
  const auto lines = recorded_lines([] { LOADPLOTPACK::LOADPLOT("sample.dat"); });

  const auto first_pgplot_call = std::find_if(
      lines.begin(), lines.end(), [](const auto& line) { return line.starts_with("PG"); });
  ASSERT_NE(first_pgplot_call, lines.end());
  EXPECT_TRUE(std::none_of(first_pgplot_call, lines.end(), [](const auto& line) {
    return line.starts_with("open_window") || line.starts_with("set_pixel");
  })) << "the screen plot is complete before the file plot starts";

  // The screen plot: its own new window titled by the title without its blanks, the
  // size taken from the window, and no wait for Enter.
  EXPECT_EQ(calls_named(lines, "open_window"),
            (Lines{"open_window 101 \"USER\" \"Two curves\" -> 0"}));
  EXPECT_EQ(calls_named(lines, "query_window_size"), (Lines{"query_window_size 101 -> 100 40"}));
  EXPECT_EQ(calls_named(lines, "console-read"), Lines{});
  EXPECT_EQ(calls_named(lines, "set_pixel").size(), 4u);
  const auto texts = calls_named(lines, "draw_text");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "draw_text \"x2\""), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "draw_text \"Energy (J)\""), texts.end());

  // The file plot: the picture's name and device, the captions as 80-character fields.
  const Lines file_plot(first_pgplot_call, lines.end());
  EXPECT_EQ(without_drawing(file_plot),
            (Lines{"PGBEG 0 \"" + padded("sample.ps") + "/ps\" 1 1", "PGSLW 3", "PGSCH 1.5",
                   "PGPAGE", "PGVSTD", "PGSWIN 0 1 1 5",
                   "PGBOX \"BCNST               \" 0 0 \"BCNST               \" 0 0",
                   // The trace doubles the backslashes of the six-character caption.
                   "PGLAB \"x\\\\u2\\\\d" + std::string(80 - 6, ' ') + "\" \"" +
                       padded("Energy (J)") + "\" \"" + padded("Two curves") + "\"",
                   "PGSLS 1", "PGLINE 2 0 1 1 2", "PGSLS 2", "PGLINE 2 0 3 1 5", "PGEND",
                   "console \" Output in sample.ps\""}));
}

TEST(LoadPlot, NamesThePictureAfterTheDeviceType) {
  TemporaryFolder folder;
  folder.write("curve.data", two_curves);
  const ScopedCurrentFolder inside(folder.path());
  const auto lines = recorded_lines([] { LOADPLOTPACK::LOADPLOT("curve.data", "gif"); });
  EXPECT_EQ(calls_named(lines, "PGBEG"),
            (Lines{"PGBEG 0 \"" + padded("curve..gif") + "/gif\" 1 1"}));
  EXPECT_EQ(calls_named(lines, "PGSCR").size(), 2u) << "white background for gif";
  EXPECT_EQ(calls_named(lines, "console").back(), "console \" Output in curve..gif\"");
}

// Every problem ends LOADPLOT before anything is drawn or written.
TEST(LoadPlot, DrawsNothingForAFileThatCannotBeRead) {
  TemporaryFolder folder;
  const auto one_point = folder.write("one-point.dat", "-1\n1\n0 0\nx\ny\nt\n");
  const auto positive = folder.write("positive.dat", "2\n5\nx\ny\nt\n");
  const auto short_block = folder.write("short.dat", "-1\n3\n0 0\n1 1\nx\ny\nt\n");
  const auto fifo = folder / "pipe.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  std::ostringstream trace;
  const RecordingPlatform recorded(trace);
  for (const auto& file : {one_point, positive, short_block, fifo, folder / "absent.dat"})
    LOADPLOTPACK::LOADPLOT(file.string());
  EXPECT_EQ(trace.str(), "");
  EXPECT_FALSE(std::filesystem::exists(folder / "one-point.ps"));
}

TEST(LoadPlot, HandsTheReasonToACallerWhoAsksAndDrawsTheSame) {
  TemporaryFolder folder;
  folder.write("sample.dat", two_curves);
  folder.write("short.dat", "-1\n3\n0 0\n1 1\nx\ny\nt\n");
  // Read whole, and skipped by both plotters, or only by the picture's 32-bit limits.
  folder.write("flat.dat", "-1\n3\n1.5 0\n1.5 1\n1.5 2\nx\ny\nt\n");
  folder.write("missing.dat", "-1\n2\n0 NaN\n1 -Inf\nx\ny\nt\n");
  folder.write("tiny.dat", "-1\n2\n1e-300 0\n2e-300 1\nx\ny\nt\n");
  folder.write("huge.dat", "-1\n2\n0 1\n1 1e39\nx\ny\nt\n");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"sample.dat", ""},
      {"short.dat", "line 5: \"x\" is not a number"},
      {"flat.dat", "all x values are 1.5: no range to plot over"},
      {"missing.dat", "no y value is finite: nothing to plot"},
      {"tiny.dat", "no picture: in single precision, all x values are 0: no range to plot over"},
      {"huge.dat",
       "no picture: in single precision, the y values run from 1 to inf, which is no "
       "finite range"},
  };
  const ScopedCurrentFolder inside(folder.path());
  for (const auto& [name, reason] : expected) {
    const auto silent = recorded_lines([&] { LOADPLOTPACK::LOADPLOT(name); });
    std::string why_not = "left from an earlier call";
    const auto asked = recorded_lines([&] { LOADPLOTPACK::LOADPLOT(name, "ps", &why_not); });
    EXPECT_EQ(asked, silent) << name;
    EXPECT_EQ(why_not, reason) << name;
  }
}

}  // namespace
}  // namespace curvist
