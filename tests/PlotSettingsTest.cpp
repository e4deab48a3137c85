#include "plot/PlotSettings.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "PgPlot.hpp"
#include "Plot.hpp"
#include "RecordedTrace.hpp"

namespace curvist {
namespace {

using Lines = std::vector<std::string>;
using testing::curve_calls;
using testing::recorded_lines;
using Values = std::vector<double>;

template <typename Limit>
std::optional<plot::PlotLimits<Limit>> limits_of(const Values& x, const Values& y,
                                                 bool log_x = false, bool log_y = false,
                                                 std::string* why_not = nullptr) {
  return plot::plot_limits<Limit>(std::span<const double>(x), std::span<const double>(y), log_x,
                                  log_y, why_not);
}

TEST(PlotSettings, BothPlottersTakeTheSameDefaultsAndCaptionRules) {
  const Values x{0, 1};
  const Values y{0, 1};
  const auto picture = plot::plot_settings<float, 80>(
      PGPLOTPACK::FilePlotOptions{}, std::span<const double>(x), std::span<const double>(y));
  ASSERT_TRUE(picture);
  EXPECT_TRUE(picture->flags.join);
  EXPECT_FALSE(picture->flags.log_x || picture->flags.log_y);
  EXPECT_EQ(picture->captions.x_caption.text(), "x");
  EXPECT_EQ(picture->captions.y_caption.text(), "y");
  EXPECT_EQ(picture->captions.title.text(), "Representation of y=y(x)");

  // Given captions lose the blanks around them, a blank one stays blank, and each is cut
  // at the plotter's field width.
  const std::string long_title(150, 'T');
  const auto screen = plot::plot_settings<double, 120>(
      PLOTPACK::ScreenPlotOptions{
          .JOIN = false, .XLABEL = "   a b  ", .YLABEL = " ", .TITLE = long_title},
      std::span<const double>(x), std::span<const double>(y));
  ASSERT_TRUE(screen);
  EXPECT_FALSE(screen->flags.join);
  EXPECT_EQ(screen->captions.x_caption.text(), "a b");
  EXPECT_TRUE(screen->captions.y_caption.is_blank());
  EXPECT_EQ(screen->captions.title.text(), std::string(120, 'T'));
  const auto cut =
      plot::plot_settings<float, 80>(PGPLOTPACK::FileListPlotOptions{.TITLE = long_title},
                                     std::span<const double>(x), std::span<const double>(y));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->captions.title.text(), std::string(80, 'T'));
}

TEST(PlotLimits, ComeFromEveryElementAndSkipZerosOnALogarithmicYAxis) {
  const auto linear = limits_of<double>({3, -2, 7, 5}, {0, 10, 100, -1});
  ASSERT_TRUE(linear);
  EXPECT_EQ(linear->xmin, -2);
  EXPECT_EQ(linear->xmax, 7);
  EXPECT_EQ(linear->ymin, -1);
  EXPECT_FALSE(linear->zero_ordinates);

  const auto logarithmic = limits_of<double>({1, 10, 100}, {1, 0, 100}, true, true);
  ASSERT_TRUE(logarithmic);
  EXPECT_EQ(logarithmic->xmin, 0);
  EXPECT_EQ(logarithmic->xmax, 2);
  EXPECT_EQ(logarithmic->ymin, 0);
  EXPECT_EQ(logarithmic->ymax, 2);
  EXPECT_TRUE(logarithmic->zero_ordinates);
  const auto without_zeros = limits_of<double>({1, 2, 3}, {10, 1, 100}, false, true);
  ASSERT_TRUE(without_zeros);
  EXPECT_FALSE(without_zeros->zero_ordinates);
  EXPECT_EQ(without_zeros->ymin, 0);
  EXPECT_EQ(without_zeros->xmin, 1);
}

TEST(PlotLimits, FollowThePrecisionOfThePlotter) {
  // 32-bit limits of 64-bit data: the x logarithm is taken of the rounded limit, the y one
  // of the data value and rounded afterwards, which for 1.1 differ in the last bit.
  // The logarithms are taken at run time, as the plotters take them: a constant folded by
  // the compiler may be rounded differently.
  volatile double data_value = 1.1;
  const double value = data_value;
  const auto picture = limits_of<float>({value, 10}, {value, 10}, true, true);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->xmin, std::log10(static_cast<float>(value)));
  EXPECT_EQ(picture->ymin, static_cast<float>(std::log10(value)));
  EXPECT_NE(picture->xmin, picture->ymin);
  const auto screen = limits_of<double>({value, 10}, {value, 10}, true, true);
  ASSERT_TRUE(screen);
  EXPECT_EQ(screen->xmin, std::log10(value));
  EXPECT_EQ(screen->ymin, std::log10(value));

  // Limits apart in 64 bits can be equal in 32: the picture is skipped, the screen not.
  const Values close{1.0, 1.0 + 1e-12};
  EXPECT_FALSE(limits_of<float>(close, {0, 1}));
  EXPECT_TRUE(limits_of<double>(close, {0, 1}));
}

TEST(PlotLimits, SkipPlotsWithoutAWindowRange) {
  EXPECT_FALSE(limits_of<double>({}, {0, 1}));
  EXPECT_FALSE(limits_of<double>({0, 1}, {}));
  EXPECT_FALSE(limits_of<double>({2, 2}, {0, 1}));
  EXPECT_FALSE(limits_of<float>({0, 1}, {5, 5}));
  EXPECT_FALSE(limits_of<double>({1, 2}, {0, 0}, false, true)) << "no non-zero ordinate";
}

// A value an axis cannot place (NaN, an infinity; zero or negative on a logarithmic axis)
// is a gap: its curve breaks there on screen and in the picture, it sets no limit, and an
// axis left with no value skips the plot with a reason that says so. Each case runs through
// both precisions of both plotters; `strokes` are the points the screen joins ("x y").
TEST(NonFiniteValues, AreGapsOnScreenAndInPicturesAndSetNoLimits) {
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  struct Case {
    Values x, y;
    bool log_x, log_y;
    std::vector<Lines> strokes;
    Lines picture;  // the world window and the lines
    std::string why_not{};
  };
  const Values x{0, 1, 2, 3}, y{4, 5, 6, 7};
  // clang-format off
  const Case cases[] = {
      {x, {nan, 5, 6, 7}, 0, 0, {{"1 5", "2 6", "3 7"}}, {"PGSWIN 0 3 5 7", "PGLINE 3 1 5 2 6 3 7"}},
      {x, {4, inf, 6, 7}, 0, 0, {{"0 4"}, {"2 6", "3 7"}}, {"PGSWIN 0 3 4 7", "PGLINE 2 2 6 3 7"}},
      {x, {4, 5, 6, nan}, 0, 0, {{"0 4", "1 5", "2 6"}}, {"PGSWIN 0 3 4 6", "PGLINE 3 0 4 1 5 2 6"}},
      {x, {nan, nan, inf, -inf}, 0, 0, {}, {}, "no y value is finite: nothing to plot"},
      // A gap in x: its y value still counts for the y limits, as every element does.
      {{-inf, 1, 2, 3}, y, 0, 0, {{"1 5", "2 6", "3 7"}}, {"PGSWIN 1 3 4 7", "PGLINE 3 1 5 2 6 3 7"}},
      {{0, 1, nan, 3}, y, 0, 0, {{"0 4", "1 5"}, {"3 7"}}, {"PGSWIN 0 3 4 7", "PGLINE 2 0 4 1 5"}},
      {{0, 1, 2, nan}, y, 0, 0, {{"0 4", "1 5", "2 6"}}, {"PGSWIN 0 2 4 7", "PGLINE 3 0 4 1 5 2 6"}},
      {{nan, nan, nan, nan}, y, 0, 0, {}, {}, "no x value is finite: nothing to plot"},
      // Zero ordinates on a logarithmic axis keep rules of their own (ScreenPlot tests).
      {{0, 1, 10, 100}, y, 1, 0, {{"0 5", "1 6", "2 7"}}, {"PGSWIN 0 2 4 7", "PGLINE 3 0 5 1 6 2 7"}},
      {x, {1, -1, 10, 100}, 0, 1, {{"0 0"}, {"2 1", "3 2"}}, {"PGSWIN 0 3 0 2", "PGLINE 2 2 1 3 2"}},
      {{-1, nan, 0, -2}, y, 1, 0, {}, {}, "no x value has a finite logarithm: nothing to plot"},
  };
  // clang-format on
  for (const Case& c : cases) {
    Lines strokes;
    for (const Lines& stroke : c.strokes)
      for (std::size_t point = 0; point < stroke.size(); ++point) {
        strokes.push_back((point == 0 ? "move_to " : "line_to ") + stroke[point]);
        strokes.push_back("set_pixel " + stroke[point]);
      }
    const std::vector<float> x32(c.x.begin(), c.x.end()), y32(c.y.begin(), c.y.end());
    const std::string row = ::testing::PrintToString(c.x) + ::testing::PrintToString(c.y);
    const PLOTPACK::ScreenPlotOptions screen{.LOGX = c.log_x, .LOGY = c.log_y, .OWNWINDOW = true};
    const PGPLOTPACK::FilePlotOptions picture{.LOGX = c.log_x, .LOGY = c.log_y};
    for (const Lines& lines : {recorded_lines([&] {
                                 PLOTPACK::PLOTDP({c.x.data(), 4, 1}, {c.y.data(), 4, 1}, screen);
                               }),
                               recorded_lines([&] {
                                 PLOTPACK::PLOTSP({x32.data(), 4, 1}, {y32.data(), 4, 1}, screen);
                               })}) {
      EXPECT_EQ(lines.empty(), !c.why_not.empty()) << row;
      EXPECT_EQ(curve_calls(lines), strokes) << row;
    }
    for (Lines lines : {recorded_lines([&] {
                          PGPLOTPACK::PGPLOTDP({c.x.data(), 4, 1}, {c.y.data(), 4, 1}, picture);
                        }),
                        recorded_lines([&] {
                          PGPLOTPACK::PGPLOTSP({x32.data(), 4, 1}, {y32.data(), 4, 1}, picture);
                        })}) {
      std::erase_if(lines, [](const std::string& line) {
        return !line.starts_with("PGSWIN") && !line.starts_with("PGLINE");
      });
      EXPECT_EQ(lines, c.picture) << row;
    }
    std::string why_not;
    limits_of<double>(c.x, c.y, c.log_x, c.log_y, &why_not);
    EXPECT_EQ(why_not, c.why_not) << row;
  }
}

TEST(AxisValues, DrawLogarithmsAndZeroOrdinatesAtTheLowestValue) {
  const Values x{1, 2};
  const Values y{0, 100};
  const auto settings = plot::plot_settings<float, 80>(
      PGPLOTPACK::FilePlotOptions{.LOGX = true, .LOGY = true}, std::span<const double>(x),
      std::span<const double>(Values{1, 0, 100}));
  ASSERT_TRUE(settings);
  const auto x_values = settings->x_values<double>();
  const auto y_values = settings->y_values<double>();
  EXPECT_EQ(x_values(100), 2);
  EXPECT_TRUE(std::isinf(x_values(0))) << "a zero abscissa keeps its logarithm";
  EXPECT_EQ(y_values(1000), 3);
  EXPECT_EQ(y_values(0), 0) << "a zero ordinate stands at ymin, the logarithm of 1";
  const auto linear = plot::plot_settings<double, 120>(
      PLOTPACK::ScreenPlotOptions{}, std::span<const double>(x), std::span<const double>(y));
  ASSERT_TRUE(linear);
  EXPECT_EQ(linear->y_values<double>()(0), 0);
  EXPECT_EQ(linear->x_values<double>()(2), 2);
}

}  // namespace
}  // namespace curvist
