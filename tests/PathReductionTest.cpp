// Which points of a polyline the PGPLOT layer hands giza: the reduction to the device's
// resolution and the dashes laid along a path, on grids of whole units.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "lines/PathReduction.hpp"
#include "lines/ReducedLine.hpp"

namespace curvist {
namespace {

using ::testing::ElementsAre;

// One cell per whole unit of world coordinates, cells centred on whole numbers.
const DeviceGrid unit_grid{{}, true};

// The points kept of a polyline of cells; each point's x is its index in the polyline, so
// the result names the points kept.
std::vector<float> kept_indices(const std::vector<std::pair<double, double>>& cells) {
  std::vector<float> x, y;
  PathReducer reducer(x, y, unit_grid);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const auto [column, row] = cells[i];
    reducer.add({static_cast<float>(i), 0.0f, {column, row}, {column, row}});
  }
  reducer.end();
  return x;
}

TEST(PathReduction, KeepsFirstLowestHighestAndLastOfAColumnInPathOrder) {
  // Highest before lowest here, and the other way round.
  EXPECT_THAT(kept_indices({{0, 5}, {0, 9}, {0, 8}, {0, 1}, {0, 7}, {0, 3}}),
              ElementsAre(0, 1, 3, 5));
  EXPECT_THAT(kept_indices({{0, 5}, {0, 1}, {0, 2}, {0, 9}, {0, 3}}), ElementsAre(0, 1, 3, 4));
  // The extremes may be the ends themselves; of equal extremes the first reached counts.
  EXPECT_THAT(kept_indices({{0, 1}, {0, 9}, {0, 4}, {0, 9}, {0, 5}}), ElementsAre(0, 1, 4));
  EXPECT_THAT(kept_indices({{0, 5}, {0, 3}, {0, 4}, {0, 9}}), ElementsAre(0, 1, 3));
  // The path leaves a column where the column's run left it, unless both its step and
  // the straight one from extreme to extreme cross inside the rows both columns cover;
  // from extreme to the next column's first point, or last point to extreme, if only that
  // one does.
  EXPECT_THAT(kept_indices({{0, 0}, {0, 8}, {0, 4}, {0, 1}, {1, 4}, {1, 3}, {1, 9}, {1, 5}}),
              ElementsAre(0, 1, 3, 4, 5, 6, 7));
  EXPECT_THAT(kept_indices({{0, 0}, {0, 8}, {0, 4}, {0, 2}, {1, 7}, {1, 3}, {1, 9}, {1, 5}}),
              ElementsAre(0, 1, 5, 6, 7));
  EXPECT_THAT(kept_indices({{0, 0}, {0, 8}, {0, 5}, {0, 6}, {1, 5}, {1, 9}, {1, 2}, {1, 6}}),
              ElementsAre(0, 1, 4, 5, 6, 7));
}

TEST(PathReduction, KeepsFirstLeftmostRightmostAndLastOfARow) {
  EXPECT_THAT(kept_indices({{0, 2}, {1, 2}, {2, 2}, {5, 2}, {3, 2}, {4, 2}, {4, 3}}),
              ElementsAre(0, 3, 5, 6));
  EXPECT_THAT(kept_indices({{9, 4}, {8, 4}, {2, 4}, {6, 4}, {7, 4}}), ElementsAre(0, 2, 4));
}

TEST(PathReduction, MergesOnlyConsecutivePoints) {
  // The path returns to column 0 through column 1: both visits stay.
  EXPECT_THAT(kept_indices({{0, 0}, {0, 3}, {1, 3}, {0, 3}, {0, 0}}), ElementsAre(0, 1, 2, 3, 4));
  // A path that goes back and forth between two columns keeps every point.
  EXPECT_THAT(kept_indices({{0, 0}, {1, 5}, {0, 1}, {1, 6}, {0, 2}}), ElementsAre(0, 1, 2, 3, 4));
}

TEST(PathReduction, PointsInTheCellBeforeAddNothingButTheLineEndsOnItsLastPoint) {
  EXPECT_THAT(kept_indices({{0, 0}, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {2, 2}}), ElementsAre(0, 3, 5));
  // The last point takes the place of the one in its cell before it.
  EXPECT_THAT(kept_indices({{0, 0}, {1, 1}, {2, 2}, {2, 2}, {2, 2}}), ElementsAre(0, 1, 4));
  // Two points or more stay two points or more.
  EXPECT_THAT(kept_indices({{3, 3}, {3, 3}}), ElementsAre(0, 1));
  EXPECT_THAT(kept_indices({{3, 3}, {3, 3}, {3, 3}, {3, 3}}), ElementsAre(0, 3));
  EXPECT_THAT(kept_indices({{3, 3}}), ElementsAre(0));
}

TEST(PathReduction, PolylinesEndedApartAreNeverMerged) {
  std::vector<float> x, y;
  PathReducer reducer(x, y, unit_grid);
  for (const float index : {0.0f, 1.0f, 2.0f}) reducer.add({index, 0.0f, {0, index}, {0, index}});
  reducer.end();
  // The next one starts in the cell where the last one ended.
  for (const float index : {3.0f, 4.0f, 5.0f})
    reducer.add({index, 0.0f, {0, 5 - index}, {0, 5 - index}});
  reducer.end();
  EXPECT_THAT(x, ElementsAre(0, 2, 3, 5));
}

TEST(PathReduction, NotANumberIsNeverInAnotherPointsCell) {
  const double nan = std::nan("");
  EXPECT_THAT(kept_indices({{0, 0}, {nan, nan}, {nan, nan}, {0, 0}, {0, 1}}),
              ElementsAre(0, 1, 2, 3, 4));
}

// The rows a polyline passes through in each column of the unit grid, from its lowest to
// its highest; a row or a column shared by two cells across a boundary counts for one.
std::map<double, std::pair<double, double>> covered_rows(const std::vector<float>& x,
                                                         const std::vector<float>& y) {
  std::map<double, std::pair<double, double>> rows;
  const auto cover = [&](double column, double height) {
    const double row = std::nearbyint(height);
    auto [span, added] = rows.try_emplace(column, row, row);
    span->second.first = std::min(span->second.first, row);
    span->second.second = std::max(span->second.second, row);
  };
  for (std::size_t i = 0; i + 1 < x.size(); ++i) {
    const double x1 = x[i], y1 = y[i], x2 = x[i + 1], y2 = y[i + 1];
    const double left = std::min(x1, x2), right = std::max(x1, x2);
    for (double column = std::nearbyint(left); column <= std::nearbyint(right); ++column) {
      // The part of the segment inside the column, a little short of its edges.
      const double from = std::max(left, column - 0.499), to = std::min(right, column + 0.499);
      for (const double at : {from, to}) {
        const double t = x1 == x2 ? 0 : (at - x1) / (x2 - x1);
        cover(column, x1 == x2 ? y1 : y1 + (y2 - y1) * t);
      }
      if (x1 == x2) cover(column, y2);
    }
  }
  return rows;
}

// A dense random walk: the line passes through the same rows of every column, in at most
// four points a column, and keeps its exact ends.
TEST(PathReduction, DenseWalkKeepsEveryColumnsSpanInFewPoints) {
  std::mt19937 random(3);
  std::normal_distribution<float> step(0.0f, 2.0f);
  std::vector<float> x, y;
  float height = 0;
  for (int i = 0; i < 100000; ++i) {
    x.push_back(static_cast<float>(i) * 0.002f);  // 500 points a column
    height += step(random);
    y.push_back(height);
  }
  SolidPieces pieces;
  reduce_full_line(x, y, unit_grid, pieces);
  ASSERT_THAT(pieces.ends, ElementsAre(pieces.x.size()));
  EXPECT_LE(pieces.x.size(), 4u * 201u);
  EXPECT_EQ(pieces.x.front(), x.front());
  EXPECT_EQ(pieces.y.front(), y.front());
  EXPECT_EQ(pieces.x.back(), x.back());
  EXPECT_EQ(pieces.y.back(), y.back());

  const auto reduced = covered_rows(pieces.x, pieces.y);
  const auto original = covered_rows(x, y);
  ASSERT_EQ(reduced.size(), original.size());
  for (const auto& [column, rows] : original) {
    // Within a row: where a line crosses a column's edge is rounded either way.
    EXPECT_NEAR(reduced.at(column).first, rows.first, 1) << "column " << column;
    EXPECT_NEAR(reduced.at(column).second, rows.second, 1) << "column " << column;
  }
}

// A straight line along x on a grid of whole units, dashed with `pattern`: the pieces as
// (start, end) along x.
std::vector<std::pair<float, float>> dashes_along(std::vector<float> x, DashPattern pattern,
                                                  bool* reduced = nullptr) {
  const std::vector<float> y(x.size(), 0.0f);
  SolidPieces pieces;
  const RendererGrid renderer{{}, false};
  const bool done = reduce_dashed_line(x, y, unit_grid, renderer, pattern, 0, pieces);
  if (reduced != nullptr) *reduced = done;
  // To a thousandth: the ends are interpolated in 32-bit floats.
  const auto rounded = [](float value) { return std::nearbyint(value * 1000.0f) / 1000.0f; };
  std::vector<std::pair<float, float>> dashes;
  std::size_t begin = 0;
  for (const std::size_t end : pieces.ends) {
    dashes.emplace_back(rounded(pieces.x[begin]), rounded(pieces.x[end - 1]));
    begin = end;
  }
  return dashes;
}

std::vector<float> evenly_spaced(float from, float to, int count) {
  std::vector<float> values;
  for (int i = 0; i < count; ++i)
    values.push_back(from + (to - from) * static_cast<float>(i) / static_cast<float>(count - 1));
  return values;
}

DashPattern dash_gap(double dash, double gap, double offset) {
  DashPattern pattern;
  pattern.lengths[0] = dash;
  pattern.lengths[1] = gap;
  pattern.count = 2;
  pattern.offset = offset;
  return pattern;
}

TEST(DashedLine, PiecesLieWhereThePatternPutsItsDashes) {
  using Dash = std::pair<float, float>;
  const auto line = evenly_spaced(0, 95, 951);
  EXPECT_THAT(dashes_along(line, dash_gap(30, 10, 0)),
              ElementsAre(Dash{0, 30}, Dash{40, 70}, Dash{80, 95}));
  // The offset is how far into the pattern the line starts: inside the first dash ...
  EXPECT_THAT(dashes_along(line, dash_gap(30, 10, 20)),
              ElementsAre(Dash{0, 10}, Dash{20, 50}, Dash{60, 90}));
  // ... or beyond it, in the gap.
  EXPECT_THAT(dashes_along(line, dash_gap(30, 10, 35)),
              ElementsAre(Dash{5, 35}, Dash{45, 75}, Dash{85, 95}));
  // Ends inside segments are found along them; the pattern runs on through the vertices.
  // (The points close to the start make the line worth its pieces.)
  auto long_segments = evenly_spaced(0, 0.4f, 1000);
  long_segments.insert(long_segments.end(), {25, 50, 75, 95});
  EXPECT_THAT(dashes_along(long_segments, dash_gap(30, 10, 0)),
              ElementsAre(Dash{0, 30}, Dash{40, 70}, Dash{80, 95}));
}

TEST(DashedLine, EachDashIsAReducedPieceThatTurnsWithThePath) {
  // An L, 20 along and 40 up: the first dash runs round the corner up to (20, 10).
  std::vector<float> x, y;
  for (int i = 0; i <= 20000; ++i) {
    x.push_back(static_cast<float>(std::min(i, 10000)) * 0.002f);
    y.push_back(static_cast<float>(std::max(i - 10000, 0)) * 0.004f);
  }
  SolidPieces pieces;
  ASSERT_TRUE(reduce_dashed_line(x, y, unit_grid, {{}, false}, dash_gap(30, 10, 0), 0, pieces));
  ASSERT_EQ(pieces.ends.size(), 2u);
  const auto near = [](float expected) { return ::testing::FloatNear(expected, 1e-3f); };
  const std::size_t first_end = pieces.ends[0];
  EXPECT_LE(first_end, 4u);
  EXPECT_EQ(pieces.x[0], 0.0f);
  EXPECT_EQ(pieces.y[0], 0.0f);
  EXPECT_THAT(pieces.x[first_end - 1], near(20));
  EXPECT_THAT(pieces.y[first_end - 1], near(10));
  // The second dash, the line's last 20 up, in two points.
  EXPECT_EQ(pieces.ends[1], first_end + 2);
  EXPECT_THAT(pieces.y[first_end], near(20));
  EXPECT_THAT(pieces.y[first_end + 1], near(40));
  // Three points are not worth pieces of their own.
  EXPECT_FALSE(reduce_dashed_line(std::vector<float>{0, 20, 20}, std::vector<float>{0, 0, 40},
                                  unit_grid, {{}, false}, dash_gap(30, 10, 0), 0, pieces));
}

TEST(DashedLine, LengthsAreMeasuredOnTheCoordinatesTheRendererHolds) {
  // cairo holds 1/256 of a unit; a vector picture writes three decimals of that.
  const RendererGrid raster{{}, false};
  const RendererGrid vector{{}, true};
  EXPECT_EQ(raster.held(0.0021), 1.0 / 256);
  EXPECT_EQ(vector.held(0.0021), 0.004);
  EXPECT_EQ(vector.held(10.4), 10.398);  // 2662/256 = 10.3984375
  // A slanted line 4.88 long in steps far finer than 1/256: held, its points make a
  // staircase, longer than the line itself, on which a dash of 5 ends before the line does.
  std::vector<float> x, y;
  for (int i = 0; i <= 4000; ++i) {
    x.push_back(0.001f * static_cast<float>(i));
    y.push_back(0.0007f * static_cast<float>(i));
  }
  SolidPieces pieces;
  ASSERT_TRUE(reduce_dashed_line(x, y, unit_grid, raster, dash_gap(5, 1000, 0), 0, pieces));
  EXPECT_LT(pieces.x[pieces.ends[0] - 1], 3.6f);
  // With device units 1000 times finer, the same dash covers the line.
  const RendererGrid fine{WorldToDevice{}.scaled(1000), false};
  ASSERT_TRUE(reduce_dashed_line(x, y, unit_grid, fine, dash_gap(5000, 1e6, 0), 0, pieces));
  EXPECT_THAT(pieces.ends, ElementsAre(pieces.x.size()));
  EXPECT_EQ(pieces.x.back(), x.back());
}

// A path up a column of the unit grid from 0 to `top` in steps of a tenth, then down to
// `bottom`; the rows of its pieces, dashed 30 and 10.
std::vector<std::pair<float, float>> up_and_down(float top, float bottom) {
  std::vector<float> y = evenly_spaced(0, top, static_cast<int>(top) * 10 + 1);
  const auto down = evenly_spaced(top, bottom, static_cast<int>(top - bottom) * 10 + 1);
  y.insert(y.end(), down.begin() + 1, down.end());
  const std::vector<float> x(y.size(), 0.0f);
  SolidPieces pieces;
  if (!reduce_dashed_line(x, y, unit_grid, {{}, false}, dash_gap(30, 10, 0), 0, pieces)) return {};
  std::vector<std::pair<float, float>> rows;
  std::size_t begin = 0;
  for (const std::size_t end : pieces.ends) {
    const auto [low, high] = std::minmax_element(pieces.y.begin() + begin, pieces.y.begin() + end);
    rows.emplace_back(std::nearbyint(*low), std::nearbyint(*high));
    begin = end;
  }
  return rows;
}

TEST(DashedLine, GapsUnderTheInkOfOtherDashesAreDrawnAsLine) {
  using Rows = std::pair<float, float>;
  // Up: dashes 0-30, 40-70, 80-100. Back down the pattern goes on: 100-90, 80-50, 40-10,
  // which ink every gap of the way up, and theirs are inked by it.
  EXPECT_THAT(up_and_down(100, 0), ElementsAre(Rows{0, 100}));
  // Only down to 50: the gap from 30 to 40 shows, the others are covered.
  EXPECT_THAT(up_and_down(100, 50), ElementsAre(Rows{0, 30}, Rows{40, 100}));

  // Noise across a column many times the dashes' length is one band of ink: in few points.
  std::mt19937 random(5);
  std::uniform_real_distribution<float> noise(-50.0f, 50.0f);
  std::vector<float> x, y;
  for (int i = 0; i < 20000; ++i) {
    x.push_back(static_cast<float>(i) * 0.01f);
    y.push_back(noise(random));
  }
  SolidPieces pieces;
  ASSERT_TRUE(reduce_dashed_line(x, y, unit_grid, {{}, false}, dash_gap(3, 1, 0), 0, pieces));
  EXPECT_LT(pieces.x.size(), x.size() / 10);
}

TEST(DashedLine, PathsNoReductionHelpsAreLeftAsTheyAre) {
  SolidPieces pieces;
  // A point far off the page would take more dashes than there are atoms: the layout
  // stops as soon as it costs too much, and so does that of a point that is not a number.
  std::vector<float> far_x = evenly_spaced(0, 1, 1000), far_y(1001, 0.0f);
  far_x.push_back(1e30f);
  EXPECT_FALSE(
      reduce_dashed_line(far_x, far_y, unit_grid, {{}, false}, dash_gap(3, 1, 0), 0, pieces));
  far_x.back() = std::nanf("");
  EXPECT_FALSE(
      reduce_dashed_line(far_x, far_y, unit_grid, {{}, false}, dash_gap(3, 1, 0), 0, pieces));
  // A pattern that is not giza's kind of pattern is left to giza too.
  bool reduced = true;
  dashes_along(evenly_spaced(0, 100, 1001), dash_gap(0, 10, 0), &reduced);
  EXPECT_FALSE(reduced);
  dashes_along(evenly_spaced(0, 100, 1001), dash_gap(30, 10, 0), &reduced);
  EXPECT_TRUE(reduced);
}

}  // namespace
}  // namespace curvist
