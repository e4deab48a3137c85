#include "plot/PlotSettings.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "PgPlot.hpp"
#include "Plot.hpp"

namespace curvist {
namespace {

using Values = std::vector<double>;

template <typename Limit>
Refusable<plot::PlotLimits<Limit>> limits_of(const Values& x, const Values& y, bool log_x = false,
                                             bool log_y = false) {
  return plot::plot_limits<Limit>(std::span<const double>(x), std::span<const double>(y), log_x,
                                  log_y);
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
  // Beyond 32 bits, a value still has a 32-bit logarithm.
  const auto beyond = limits_of<float>({1, 1e39}, {0, 1}, true);
  ASSERT_TRUE(beyond);
  EXPECT_FLOAT_EQ(beyond->xmax, 39);
}

TEST(PlotLimits, SkipPlotsWithoutAWindowRange) {
  EXPECT_FALSE(limits_of<double>({}, {0, 1}));
  EXPECT_FALSE(limits_of<double>({0, 1}, {}));
  EXPECT_FALSE(limits_of<double>({2, 2}, {0, 1}));
  EXPECT_FALSE(limits_of<float>({0, 1}, {5, 5}));
  EXPECT_FALSE(limits_of<double>({1, 2}, {0, 0}, false, true)) << "no non-zero ordinate";
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
