// The curves a window keeps to draw its plot again: a copy that no later change of the
// caller's arrays reaches, or arrays handed over, kept alive for as long as the plot is
// and read where they are.
#include "plot/KeptCurves.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <span>
#include <vector>

namespace curvist {
namespace {

using ::testing::ElementsAre;

template <typename Element>
std::vector<Element> values(std::span<const Element> run) {
  return {run.begin(), run.end()};
}

TEST(KeptCurves, ACopyHoldsTheDrawnPointsWhateverTheCallerDoesWithItsArrays) {
  // Two curves of three points in columns of four: the fourth row is not drawn.
  std::vector<double> x{0, 1, 2, 99, 10, 11, 12, 99};
  std::vector<double> y{5, 6, 7, 99, 15, 16, 17, 99};
  const CurveRuns<double> drawn{x.data(), 4, y.data(), 4, 2, 3};
  const plot::KeptCurves<double> kept(drawn);
  x.assign(x.size(), std::numeric_limits<double>::quiet_NaN());
  y.clear();
  y.shrink_to_fit();

  const auto runs = kept.runs();
  EXPECT_EQ(runs.count, 2u);
  EXPECT_EQ(runs.points, 3u);
  EXPECT_THAT(values(runs.x_of(0)), ElementsAre(0, 1, 2));
  EXPECT_THAT(values(runs.x_of(1)), ElementsAre(10, 11, 12));
  EXPECT_THAT(values(runs.y_of(1)), ElementsAre(15, 16, 17));
}

TEST(KeptCurves, ArraysHandedOverLiveAsLongAsTheCurvesAndAreReadWhereTheyAre) {
  struct Arrays {
    std::vector<float> x{0, 1, 2, 3};
    std::vector<float> y{4, 5, 6, 7};
  };
  auto arrays = std::make_shared<const Arrays>();
  const std::weak_ptr<const Arrays> watched = arrays;
  const CurveRuns<float> drawn{arrays->x.data(), 2, arrays->y.data(), 2, 2, 2};
  {
    const plot::KeptCurves<float> kept(drawn, std::move(arrays));
    ASSERT_FALSE(watched.expired());
    const auto runs = kept.runs();
    EXPECT_EQ(runs.x, watched.lock()->x.data());
    EXPECT_THAT(values(runs.y_of(1)), ElementsAre(6, 7));
  }
  EXPECT_TRUE(watched.expired());
}

}  // namespace
}  // namespace curvist
