#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "PgPlot.hpp"
#include "Plot.hpp"
#include "RecordedTrace.hpp"

namespace curvist {
namespace {

using Lines = std::vector<std::string>;
using PLOTPACK::ScreenListPlotOptions;
using PLOTPACK::ScreenPlotOptions;
using testing::calls_named;
using testing::recorded_lines;

// The calls after the last text of the frame: the curves and the close.
Lines curve_calls(const Lines& lines) {
  std::size_t start = 0;
  for (std::size_t index = 0; index < lines.size(); ++index)
    if (lines[index].rfind("draw_text", 0) == 0) start = index + 1;
  return Lines(lines.begin() + start, lines.end());
}

template <typename Element>
Lines matrix_plot(std::vector<Element> x, std::size_t x_rows, std::vector<Element> y,
                  std::size_t y_rows, ScreenPlotOptions options = {.OWNWINDOW = true}) {
  return recorded_lines([&] {
    const ColumnMajorView<const Element> X(x.data(), x_rows, x.size() / x_rows);
    const ColumnMajorView<const Element> Y(y.data(), y_rows, y.size() / y_rows);
    if constexpr (std::is_same_v<Element, double>)
      PLOTPACK::PLOTDP(X, Y, options);
    else
      PLOTPACK::PLOTSP(X, Y, options);
  });
}

template <typename Element>
Lines list_plot(std::vector<Element> x, std::vector<Element> y,
                ScreenListPlotOptions options = {.OWNWINDOW = true}) {
  return recorded_lines([&] {
    if constexpr (std::is_same_v<Element, double>)
      PLOTPACK::PLOTLISTDP(x, y, options);
    else
      PLOTPACK::PLOTLISTSP(x, y, options);
  });
}

TEST(ScreenPlot, JoinsThePointsOfEachCurveAndMarksEveryPoint) {
  const auto lines = matrix_plot<double>({0, 1, 2, 0, 1, 2}, 3, {0, 10, 5, 1, 2, 3}, 3);
  EXPECT_EQ(curve_calls(lines),
            (Lines{"move_to 0 0", "set_pixel 0 0", "line_to 1 10", "set_pixel 1 10", "line_to 2 5",
                   "set_pixel 2 5", "move_to 0 1", "set_pixel 0 1", "line_to 1 2", "set_pixel 1 2",
                   "line_to 2 3", "set_pixel 2 3"}));
  // All curves in the axis colour, no colour change after the frame.
  EXPECT_EQ(calls_named(lines, "set_colour").back(), "set_colour 14");
}

TEST(ScreenPlot, WorkingCaptionsAndTheirDefaults) {
  const std::string long_title(150, 'T');
  const auto lines = matrix_plot<double>(
      {0, 1}, 2, {0, 1}, 2,
      {.XLABEL = "   x", .YLABEL = " Time (s)  ", .TITLE = long_title, .OWNWINDOW = true});
  EXPECT_EQ(lines.front(), "open_window 101 \"USER\" \"" + std::string(120, 'T') + "\" -> 0");
  const auto texts = calls_named(lines, "draw_text");
  EXPECT_EQ(texts[0], "draw_text \"x\"");
  EXPECT_EQ(texts[1], "draw_text \"Time (s)\"");
  // A plot on a platform of its own opens that platform's first window.
  const auto defaults = matrix_plot<double>({0, 1}, 2, {0, 1}, 2);
  EXPECT_EQ(defaults.front(), "open_window 101 \"USER\" \"Representation of y=y(x)\" -> 0");
}

TEST(ScreenPlot, EqualLimitsAndEmptyArraysDrawNothing) {
  EXPECT_EQ(matrix_plot<double>({2, 2, 2}, 3, {0, 1, 2}, 3, {}), Lines{});
  EXPECT_EQ(matrix_plot<float>({0, 1, 2}, 3, {5, 5, 5}, 3, {}), Lines{});
  // A logarithmic y axis with nothing but zeros.
  EXPECT_EQ(matrix_plot<double>({0, 1, 2}, 3, {0, 0, 0}, 3, {.LOGY = true}), Lines{});
  EXPECT_EQ(list_plot<float>({}, {1, 2}, {}), Lines{});
  EXPECT_EQ(recorded_lines([] {
              PLOTPACK::PLOTDP({}, {});
              EXPECT_EQ(PLOTPACK::window_counter(), 100);
            }),
            Lines{});
}

TEST(ScreenPlot, PointsThatAreNotFiniteBreakTheLine) {
  const double nan = std::nan("");
  const auto lines = matrix_plot<double>({0, 1, 2, 3}, 4, {0, nan, 2, 3}, 4);
  EXPECT_EQ(curve_calls(lines), (Lines{"move_to 0 0", "set_pixel 0 0", "move_to 2 2",
                                       "set_pixel 2 2", "line_to 3 3", "set_pixel 3 3"}));
  const auto unjoined =
      matrix_plot<double>({0, 1, 2, 3}, 4, {0, nan, 2, 3}, 4, {.JOIN = false, .OWNWINDOW = true});
  EXPECT_EQ(curve_calls(unjoined),
            (Lines{"move_to 0 0", "set_pixel 0 0", "set_pixel 2 2", "set_pixel 3 3"}));
}

// A value an axis cannot place (NaN, an infinity; zero or negative on a logarithmic axis)
// is a gap in both plotters and both precisions: the curve breaks there and the limits
// come from the rest; an axis with no value left skips the plot. `strokes`: the points
// the screen joins, "x y".
TEST(NonFiniteValues, AreGapsOnScreenAndInPictures) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  struct Case {
    std::vector<double> x, y;
    bool log_x, log_y;
    std::vector<Lines> strokes;
    Lines picture;  // the world window and the lines
  };
  const std::vector<double> x{0, 1, 2, 3}, y{4, 5, 6, 7};
  // clang-format off
  const Case cases[] = {
      {x, {nan, 5, 6, 7}, 0, 0, {{"1 5", "2 6", "3 7"}}, {"PGSWIN 0 3 5 7", "PGLINE 3 1 5 2 6 3 7"}},
      {x, {4, inf, 6, 7}, 0, 0, {{"0 4"}, {"2 6", "3 7"}}, {"PGSWIN 0 3 4 7", "PGLINE 2 2 6 3 7"}},
      {x, {4, 5, 6, nan}, 0, 0, {{"0 4", "1 5", "2 6"}}, {"PGSWIN 0 3 4 6", "PGLINE 3 0 4 1 5 2 6"}},
      {x, {nan, nan, inf, -inf}, 0, 0, {}, {}},
      // A gap in x: its y value still counts for the y limits, as every element does.
      {{-inf, 1, 2, 3}, y, 0, 0, {{"1 5", "2 6", "3 7"}}, {"PGSWIN 1 3 4 7", "PGLINE 3 1 5 2 6 3 7"}},
      {{0, 1, nan, 3}, y, 0, 0, {{"0 4", "1 5"}, {"3 7"}}, {"PGSWIN 0 3 4 7", "PGLINE 2 0 4 1 5"}},
      {{0, 1, 2, nan}, y, 0, 0, {{"0 4", "1 5", "2 6"}}, {"PGSWIN 0 2 4 7", "PGLINE 3 0 4 1 5 2 6"}},
      {{nan, nan, nan, nan}, y, 0, 0, {}, {}},
      // Zero ordinates on a logarithmic axis keep their rules (the tests below).
      {{0, 1, 10, 100}, y, 1, 0, {{"0 5", "1 6", "2 7"}}, {"PGSWIN 0 2 4 7", "PGLINE 3 0 5 1 6 2 7"}},
      {x, {1, -1, 10, 100}, 0, 1, {{"0 0"}, {"2 1", "3 2"}}, {"PGSWIN 0 3 0 2", "PGLINE 2 2 1 3 2"}},
      {{-1, nan, 0, -2}, y, 1, 0, {}, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    Lines strokes;
    for (const Lines& stroke : c.strokes)
      for (std::size_t i = 0; i < stroke.size(); ++i)
        strokes.insert(strokes.end(),
                       {(i ? "line_to " : "move_to ") + stroke[i], "set_pixel " + stroke[i]});
    const std::vector<float> x32(c.x.begin(), c.x.end()), y32(c.y.begin(), c.y.end());
    const ScreenPlotOptions screen{.LOGX = c.log_x, .LOGY = c.log_y, .OWNWINDOW = true};
    for (const Lines& lines :
         {matrix_plot(c.x, 4, c.y, 4, screen), matrix_plot(x32, 4, y32, 4, screen)}) {
      EXPECT_EQ(lines.empty(), c.picture.empty());
      EXPECT_EQ(curve_calls(lines), strokes)
          << ::testing::PrintToString(c.x) << ::testing::PrintToString(c.y);
    }
    const PGPLOTPACK::FilePlotOptions page{.LOGX = c.log_x, .LOGY = c.log_y};
    for (Lines lines : {recorded_lines([&] {
                          PGPLOTPACK::PGPLOTDP({c.x.data(), 4, 1}, {c.y.data(), 4, 1}, page);
                        }),
                        recorded_lines([&] {
                          PGPLOTPACK::PGPLOTSP({x32.data(), 4, 1}, {y32.data(), 4, 1}, page);
                        })}) {
      std::erase_if(lines, [](const std::string& line) {
        return !line.starts_with("PGSWIN") && !line.starts_with("PGLINE");
      });
      EXPECT_EQ(lines, c.picture) << ::testing::PrintToString(c.x) << ::testing::PrintToString(c.y);
    }
  }
}

TEST(ScreenPlot, WithoutAWindowOfItsOwnThePlotWaitsForEnterAndReturnsToText) {
  const auto lines = matrix_plot<double>({0, 1}, 2, {0, 1}, 2, {});
  EXPECT_EQ(lines.front(), "initialise_fonts");
  const Lines closing = {"console-read", "set_text_mode -1", "clear_screen 0",
                         "select_font \"t'Terminal'h12w8\"", "set_text_colour 7"};
  EXPECT_EQ(Lines(lines.end() - closing.size(), lines.end()), closing);
  const auto listed = list_plot<double>({0, 1}, {0, 1}, {});
  EXPECT_EQ(Lines(listed.end() - closing.size(), listed.end()), closing);
  EXPECT_EQ(calls_named(matrix_plot<double>({0, 1}, 2, {0, 1}, 2), "console-read"), Lines{});
}

TEST(ScreenPlot, KillscreenKeepsAnOwnWindow) {
  EXPECT_EQ(recorded_lines([] { PLOTPACK::KILLSCREEN(true); }), Lines{});
  EXPECT_EQ(recorded_lines([] { PLOTPACK::KILLSCREEN(false); }).front(), "console-read");
}

TEST(ScreenPlot, LogarithmicYSkipsZerosAfterTheFirstPoint) {
  const auto lines =
      matrix_plot<double>({1, 2, 3, 4}, 4, {1, 0, 10, 100}, 4, {.LOGY = true, .OWNWINDOW = true});
  EXPECT_EQ(calls_named(lines, "set_window_mapping"),
            Lines{"set_window_mapping 1 0.9 -0.15384615384615385 4.1 2.1538461538461537"});
  EXPECT_EQ(curve_calls(lines), (Lines{"move_to 1 0", "set_pixel 1 0", "line_to 3 1",
                                       "set_pixel 3 1", "line_to 4 2", "set_pixel 4 2"}));
  const auto first_zero =
      matrix_plot<double>({1, 2, 3}, 3, {0, 10, 100}, 3, {.LOGY = true, .OWNWINDOW = true});
  EXPECT_EQ(curve_calls(first_zero), (Lines{"move_to 1 1", "set_pixel 1 1", "line_to 2 1",
                                            "set_pixel 2 1", "line_to 3 2", "set_pixel 3 2"}));
}

TEST(ScreenPlot, OnlyTheDoublePrecisionMatrixPlotUnjoinsDecreasingAbscissae) {
  const Lines unjoined = {"move_to 1 0", "set_pixel 1 0", "set_pixel 3 1", "set_pixel 2 2"};
  const Lines joined = {"move_to 1 0",   "set_pixel 1 0", "line_to 3 1",
                        "set_pixel 3 1", "line_to 2 2",   "set_pixel 2 2"};
  EXPECT_EQ(curve_calls(matrix_plot<double>({1, 3, 2}, 3, {0, 1, 2}, 3)), unjoined);
  EXPECT_EQ(curve_calls(matrix_plot<float>({1, 3, 2}, 3, {0, 1, 2}, 3)), joined);
  EXPECT_EQ(curve_calls(list_plot<double>({1, 3, 2}, {0, 1, 2})), joined);
  EXPECT_EQ(
      calls_named(curve_calls(matrix_plot<double>({1, 1, 2}, 3, {0, 1, 2}, 3)), "line_to").size(),
      2u);
  EXPECT_EQ(
      calls_named(curve_calls(matrix_plot<float>({1, 1, 2}, 3, {0, 1, 2}, 3)), "line_to").size(),
      2u);
  // One decreasing curve unjoins the other as well.
  const auto two = matrix_plot<double>({0, 1, 2, 2, 1, 0}, 3, {0, 1, 2, 0, 1, 2}, 3);
  EXPECT_EQ(calls_named(curve_calls(two), "line_to"), Lines{});
}

TEST(ScreenPlot, MatrixOfUnequalShapesDrawsTheCommonPartWithLimitsFromAll) {
  std::vector<double> x(10), y(8);
  for (int index = 0; index < 10; ++index) x[index] = index;
  for (int index = 0; index < 8; ++index) y[index] = index * index;
  const auto lines = matrix_plot<double>(x, 10, y, 8);
  EXPECT_EQ(calls_named(lines, "set_window_mapping"),
            Lines{"set_window_mapping 1 -0.3 -3.769230769230769 9.3 52.76923076923077"});
  EXPECT_EQ(calls_named(curve_calls(lines), "set_pixel").size(), 8u);
  // Curves of one point each: one pixel apiece.
  const auto single = matrix_plot<double>({1, 2}, 1, {1, 3}, 1);
  EXPECT_EQ(curve_calls(single),
            (Lines{"move_to 1 1", "set_pixel 1 1", "move_to 2 3", "set_pixel 2 3"}));
}

TEST(ScreenPlot, SinglePrecisionValuesAreWidened) {
  const auto lines = matrix_plot<float>({0.1f, 0.7f}, 2, {0, 1}, 2);
  EXPECT_EQ(curve_calls(lines).front(), "move_to 0.10000000149011612 0");
  const auto logarithmic =
      matrix_plot<float>({1, 3}, 2, {0, 1}, 2, {.LOGX = true, .OWNWINDOW = true});
  EXPECT_EQ(curve_calls(logarithmic)[2],
            // log10(3) in 32 bits, widened.
            "line_to 0.4771212339401245 1");
}

TEST(ScreenPlot, ListCurvesAreEqualRunsOfTheShorterArray) {
  std::vector<double> x, y;
  for (int index = 1; index <= 10; ++index) {
    x.push_back(index);
    y.push_back(index % 4);
  }
  const auto lines = list_plot<double>(x, y, {.OWNWINDOW = true, .NCURVES = 3});
  // Element 10 is drawn by no curve but widens the x limits.
  EXPECT_EQ(calls_named(lines, "set_window_mapping"),
            Lines{"set_window_mapping 1 0.7 -0.23076923076923078 10.3 3.230769230769231"});
  EXPECT_EQ(curve_calls(lines),
            (Lines{"move_to 1 1", "set_pixel 1 1", "line_to 2 2", "set_pixel 2 2", "line_to 3 3",
                   "set_pixel 3 3", "move_to 4 0", "set_pixel 4 0", "line_to 5 1", "set_pixel 5 1",
                   "line_to 6 2", "set_pixel 6 2", "move_to 7 3", "set_pixel 7 3", "line_to 8 0",
                   "set_pixel 8 0", "line_to 9 1", "set_pixel 9 1"}));
  x.push_back(11);
  x.push_back(12);
  const auto uneven = list_plot<double>(x, y, {.OWNWINDOW = true, .NCURVES = 2});
  EXPECT_EQ(calls_named(curve_calls(uneven), "move_to"), (Lines{"move_to 1 1", "move_to 6 2"}));
  EXPECT_EQ(calls_named(curve_calls(uneven), "set_pixel").size(), 10u);
  EXPECT_EQ(calls_named(curve_calls(list_plot<double>(x, y)), "set_pixel").size(), 10u);
}

TEST(ScreenPlot, ListWithoutCurvesStillDrawsFrameAndCaptions) {
  for (const int NCURVES : {0, -2, 11}) {
    const auto lines =
        list_plot<float>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                         {.OWNWINDOW = true, .NCURVES = NCURVES});
    EXPECT_EQ(calls_named(lines, "draw_text").front(), "draw_text \"x\"") << NCURVES;
    EXPECT_EQ(curve_calls(lines), Lines{}) << NCURVES;
  }
}

TEST(ScreenPlot, ListOnLogarithmicYDrawsAZeroStartAtTheLowestValue) {
  const auto lines = list_plot<double>({1, 2, 3, 4, 5, 6}, {10, 0, 100, 0, 10, 1000},
                                       {.LOGY = true, .OWNWINDOW = true, .NCURVES = 2});
  EXPECT_EQ(
      curve_calls(lines),
      (Lines{"move_to 1 1", "set_pixel 1 1", "line_to 3 2", "set_pixel 3 2", "move_to 4 1",
             "set_pixel 4 1", "line_to 5 1", "set_pixel 5 1", "line_to 6 3", "set_pixel 6 3"}));
}

}  // namespace
}  // namespace curvist
