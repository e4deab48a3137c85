// Pictures drawn from the points a device can show apart, against pictures of every
// point, as Ghostscript renders both at 600 dpi: the same ink outside the curves, every
// data point inked, each column's ink within the join allowance, and far fewer points in
// the file. Lines laid out and drawn in the background make the same file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "PgPlot.hpp"
#include "PictureFolder.hpp"
#include "RealPictures.hpp"
#include "console/RecordingConsole.hpp"
#include "drawing/GizaPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/RecordingWindows.hpp"

namespace curvist {
namespace {

constexpr double dots_per_inch = 600;
constexpr double pixels_per_point = dots_per_inch / 72;
// giza strokes PGSLW 3 as 0.75 mm, 2.126 points, with cairo's mitred joins and their
// limit of 10 (written as "10 M"): a join's spike reaches at most 10 half line widths,
// 10.63 points, past the vertex. Reducing points changes the vertices, and so where the
// spikes stand, by up to that much.
constexpr double line_width_pixels = 2.12595 * pixels_per_point;      // 17.7
constexpr double join_allowance_pixels = 10 * line_width_pixels / 2;  // 88.6
constexpr int band_margin = static_cast<int>(join_allowance_pixels + line_width_pixels / 2) + 2;

struct Point {
  double column;
  double row;
};

struct PostScriptPaths {
  std::vector<std::vector<Point>> strokes;  // the points of each stroke, in 600 dpi pixels
  std::size_t line_segments = 0;            // every "l" in the file
};

// The paths cairo wrote: "x y m", "x y l", ..., "S", in points with y growing downwards
// (the page's matrix turns it round).
PostScriptPaths paths_of(const std::string& file) {
  std::ifstream input(file);
  PostScriptPaths paths;
  std::vector<Point> stroke;
  std::string before_last, last, word;
  while (input >> word) {
    if (word == "m" || word == "l") {
      char* end_x = nullptr;
      char* end_y = nullptr;
      const double x = std::strtod(before_last.c_str(), &end_x);
      const double y = std::strtod(last.c_str(), &end_y);
      if (*end_x == '\0' && *end_y == '\0' && !before_last.empty() && !last.empty()) {
        if (word == "m") stroke.clear();
        stroke.push_back({x * pixels_per_point, y * pixels_per_point});
      }
      if (word == "l") ++paths.line_segments;
    } else if (word == "S") {
      paths.strokes.push_back(stroke);
      stroke.clear();
    }
    before_last = last;
    last = word;
  }
  return paths;
}

// A page rendered by Ghostscript, one bit a pixel: ink or paper.
struct Page {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bits;
  bool ink(int column, int row) const {
    if (column < 0 || row < 0 || column >= width || row >= height) return false;
    const unsigned char byte = bits[static_cast<std::size_t>(row) * ((width + 7) / 8) +
                                    static_cast<std::size_t>(column / 8)];
    return (byte >> (7 - column % 8)) & 1;
  }
};

Page render(const std::string& file) {
  const std::string bitmap = file + ".pbm";
  const std::string command =
      "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pbmraw -r600 -sOutputFile=" + bitmap + " " + file +
      " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream input(bitmap, std::ios::binary);
  Page page;
  std::string magic;
  input >> magic;
  // Ghostscript names itself in a comment after the magic number.
  while (input >> std::ws && input.peek() == '#') input.ignore(1 << 20, '\n');
  input >> page.width >> page.height;
  input.get();
  EXPECT_EQ(magic, "P4");
  page.bits.assign(std::istreambuf_iterator<char>(input), {});
  EXPECT_EQ(page.bits.size(), static_cast<std::size_t>((page.width + 7) / 8) * page.height);
  return page;
}

// Four curves one above the other, drawn as a curve-list plot draws them (line styles 1
// to 4), with the reduction and without it.
struct FourCurves {
  std::size_t points;
  std::vector<double> x;
  std::vector<double> y;

  explicit FourCurves(std::size_t count) : points(count) {}

  // The curve of y = height(x, index of the point) for x from 0 to 10.
  void add_curve(const std::function<double(double, std::size_t)>& height) {
    for (std::size_t i = 0; i < points; ++i) {
      const double at = 10.0 * static_cast<double>(i) / static_cast<double>(points - 1);
      x.push_back(at);
      y.push_back(height(at, i));
    }
  }

  // Two values past the drawn ones set limits that keep every curve off the frame.
  void draw(const std::string& file, bool reduced,
            GizaLines lines = GizaLines::drawn_in_the_call) const {
    std::vector<double> all_x = x, all_y = y;
    all_x.insert(all_x.end(), {5.0, 5.0});
    all_y.insert(all_y.end(), {-2.0, 12.5});
    std::ostringstream trace;
    RecordingConsole console(trace);
    RecordingWindows windows(trace);
    GizaPgplot pgplot(reduced, std::cerr, GizaErrorCapture::per_call, lines);
    ScopedPlatform platform({console, pgplot, windows});
    PGPLOTPACK::PGPLOTLISTDP(all_x, all_y, {.FILENAME = file, .NCURVES = 4});
    EXPECT_EQ(trace.str(), "console \" Output in " + file + "\"\n");
  }
};

// Where each curve lies, from the points of the picture drawn without the reduction: for
// every pixel column, the rows of its points in the columns around it (as far as a join
// can reach), widened by as much.
struct Band {
  std::vector<int> top;  // per column; top > bottom where the curve does not come near
  std::vector<int> bottom;

  Band(const std::vector<Point>& points, int width) : top(width, 1 << 30), bottom(width, -1) {
    std::vector<int> lowest(width, 1 << 30), highest(width, -1);
    for (const Point& point : points) {
      const int column = static_cast<int>(point.column);
      if (column < 0 || column >= width) continue;
      lowest[column] = std::min(lowest[column], static_cast<int>(point.row));
      highest[column] = std::max(highest[column], static_cast<int>(point.row));
    }
    for (int column = 0; column < width; ++column) {
      for (int near = std::max(0, column - band_margin);
           near <= std::min(width - 1, column + band_margin); ++near) {
        top[column] = std::min(top[column], lowest[near] - band_margin);
        bottom[column] = std::max(bottom[column], highest[near] + band_margin);
      }
    }
  }
  bool holds(int column, int row) const { return row >= top[column] && row <= bottom[column]; }
};

// The topmost and lowest ink of each column inside a band.
struct Extent {
  int top = 1 << 30;
  int bottom = -1;
  bool inked() const { return top <= bottom; }
};

std::vector<Extent> ink_extents(const Page& page, const Band& band) {
  std::vector<Extent> extents(page.width);
  for (int column = 0; column < page.width; ++column)
    for (int row = std::max(0, band.top[column]);
         row <= std::min(page.height - 1, band.bottom[column]); ++row) {
      if (!page.ink(column, row)) continue;
      extents[column].top = std::min(extents[column].top, row);
      extents[column].bottom = row;
    }
  return extents;
}

struct Comparison {
  std::size_t full_segments;     // "l" in the picture of every point
  std::size_t reduced_segments;  // ... and in the reduced one
  std::vector<std::vector<Point>> curves;
  Page full;
  Page reduced;
};

Comparison compare_pictures(const FourCurves& curves, const std::string& name) {
  curves.draw(name + "-full.ps", false);
  curves.draw(name + "-reduced.ps", true);
  curves.draw(name + "-background.ps", true, GizaLines::drawn_in_background);
  EXPECT_EQ(testing::postscript_body(name + "-background.ps"),
            testing::postscript_body(name + "-reduced.ps"));
  const PostScriptPaths full = paths_of(name + "-full.ps");
  const PostScriptPaths reduced = paths_of(name + "-reduced.ps");
  Comparison comparison{full.line_segments,
                        reduced.line_segments,
                        {},
                        render(name + "-full.ps"),
                        render(name + "-reduced.ps")};
  // The curves are the long strokes; cairo leaves out a point here and there that adds
  // nothing to the path (one in its fixed-point place of the point before).
  for (const auto& stroke : full.strokes)
    if (stroke.size() > curves.points / 2) comparison.curves.push_back(stroke);
  EXPECT_EQ(comparison.curves.size(), 4u);
  return comparison;
}

// A point moved by less than a thousandth of an inch (0.6 pixels here) can still move an
// edge by a pixel: a pixel whose ink differs there has its own ink beside it in the other
// picture, and the other's beside it in its own.
bool edge_moved_by_a_pixel(const Page& one, const Page& other, int column, int row) {
  constexpr int beside[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  bool in_other = false, others_in_one = false;
  for (const auto& [dx, dy] : beside) {
    in_other = in_other || other.ink(column + dx, row + dy) == one.ink(column, row);
    others_in_one = others_in_one || one.ink(column + dx, row + dy) == other.ink(column, row);
  }
  return in_other && others_in_one;
}

// How far the top (or bottom) of a column's ink in `one` is from the nearest of the
// other's in the columns at most `reach` pixels away.
int distance_to_nearest(const std::vector<Extent>& one, const std::vector<Extent>& other,
                        int column, int Extent::*edge, int reach) {
  int distance = 1 << 30;
  for (int near = std::max(0, column - reach);
       near <= std::min(static_cast<int>(other.size()) - 1, column + reach); ++near)
    if (other[near].inked())
      distance = std::min(distance, std::abs(one[column].*edge - other[near].*edge));
  return distance;
}

// Outside the curves' bands the pictures are the same, but for edges moved by a pixel.
void expect_same_outside_bands(const Comparison& pictures, const std::vector<Band>& bands) {
  const Page& full = pictures.full;
  const Page& reduced = pictures.reduced;
  ASSERT_EQ(full.width, reduced.width);
  ASSERT_EQ(full.height, reduced.height);
  int differences = 0;
  for (int row = 0; row < full.height; ++row)
    for (int column = 0; column < full.width; ++column) {
      if (full.ink(column, row) == reduced.ink(column, row)) continue;
      const bool in_band = std::any_of(bands.begin(), bands.end(),
                                       [&](const Band& band) { return band.holds(column, row); });
      if (in_band || edge_moved_by_a_pixel(full, reduced, column, row)) continue;
      if (differences++ < 5)
        ADD_FAILURE() << "pixel " << column << "," << row << " differs outside the curves";
    }
  EXPECT_EQ(differences, 0);
}

// In a curve's band the ink of every column inked in both pictures reaches as high and as
// low in both, give or take the join allowance, looking `reach` columns aside: one for an
// edge moved by a pixel. A join's spike beside the end of a dash or a dot reaches out
// sideways as well (and there may be ink of the next dash in the column beside it), so
// for those curves the allowance holds both ways; whether their dashes lie in the same
// places is seen from the data points.
void expect_within_join_allowance(const Comparison& pictures, const Band& band, std::size_t curve,
                                  int reach) {
  const std::vector<Extent> in_full = ink_extents(pictures.full, band);
  const std::vector<Extent> in_reduced = ink_extents(pictures.reduced, band);
  int beyond = 0;
  for (int column = 0; column < pictures.full.width; ++column) {
    if (!in_full[column].inked() || !in_reduced[column].inked()) continue;
    for (const auto edge : {&Extent::top, &Extent::bottom}) {
      const int apart = std::max(distance_to_nearest(in_full, in_reduced, column, edge, reach),
                                 distance_to_nearest(in_reduced, in_full, column, edge, reach));
      if (apart > join_allowance_pixels && beyond++ < 5)
        ADD_FAILURE() << "curve " << curve + 1 << ", column " << column << ": the ink's "
                      << (edge == &Extent::top ? "top" : "bottom") << " moved by " << apart
                      << " pixels";
    }
  }
  EXPECT_EQ(beyond, 0) << "curve " << curve + 1;
}

void expect_same_ink(const Comparison& pictures, const std::vector<Band>& bands) {
  expect_same_outside_bands(pictures, bands);
  for (std::size_t curve = 0; curve < bands.size(); ++curve)
    expect_within_join_allowance(pictures, bands[curve], curve,
                                 curve == 0 ? 1 : static_cast<int>(join_allowance_pixels));
}

std::vector<Band> bands_of(const Comparison& pictures) {
  std::vector<Band> bands;
  for (const auto& curve : pictures.curves) bands.emplace_back(curve, pictures.full.width);
  return bands;
}

// A full line's every point is inked in the reduced picture. A dashed line's points are
// inked in both pictures or in neither, but for the end of a dash moved by a pixel or two,
// and, on the edge of a band of noise, the spike of a mitred join, which the reduction
// moves as it moves those of a full line: one point in ten thousand at most.
void expect_points_inked(const Comparison& pictures, std::size_t curve, bool dashed) {
  const auto inked_near = [](const Page& page, int column, int row, int reach) {
    for (int dx = -reach; dx <= reach; ++dx)
      for (int dy = -reach; dy <= reach; ++dy)
        if (page.ink(column + dx, row + dy)) return true;
    return false;
  };
  std::vector<std::string> wrong;
  for (const Point& point : pictures.curves[curve]) {
    const int column = static_cast<int>(point.column);
    const int row = static_cast<int>(point.row);
    const bool in_full = pictures.full.ink(column, row);
    const bool in_reduced = pictures.reduced.ink(column, row);
    bool right = in_reduced;
    if (dashed && in_full != in_reduced)
      right = in_full ? inked_near(pictures.reduced, column, row, 2)
                      : inked_near(pictures.full, column, row, 2);
    else if (dashed)
      right = true;
    if (!right)
      wrong.push_back("curve " + std::to_string(curve + 1) + ": the point at pixel " +
                      std::to_string(column) + "," + std::to_string(row) +
                      (in_full ? " is not inked" : " is inked in the reduced picture only"));
  }
  const std::size_t allowed = dashed ? pictures.curves[curve].size() / 10000 : 0;
  if (wrong.size() > allowed)
    for (std::size_t shown = 0; shown < std::min<std::size_t>(wrong.size(), 5); ++shown)
      ADD_FAILURE() << wrong[shown];
  EXPECT_LE(wrong.size(), allowed) << "curve " << curve + 1;
}

constexpr std::size_t curve_points = 100000;

TEST(ReducedPicture, NoisyCurvesKeepTheirInk) {
  const testing::PictureFolder folder;
  std::mt19937 random(17);
  std::uniform_real_distribution<double> noise(-0.3, 0.3);
  FourCurves curves(curve_points);
  // Full, dashed, dash-dot and dotted bands of noise, 3 apart.
  for (int curve = 0; curve < 4; ++curve)
    curves.add_curve(
        [&](double at, std::size_t) { return 3 * curve + 0.5 * std::sin(at) + noise(random); });
  const Comparison pictures = compare_pictures(curves, "noisy");
  // The full line is handed on in a small part of its points. The dashed bands are as
  // solid as the full one but for their edges, where gaps still show: each in about a
  // quarter of its points (the dotted one, whose dots leave more gaps showing, in a third).
  EXPECT_LT(pictures.reduced_segments, pictures.full_segments - 3 * curve_points / 4);
  EXPECT_LT(pictures.reduced_segments, pictures.full_segments / 3);
  expect_same_ink(pictures, bands_of(pictures));
  expect_points_inked(pictures, 0, false);
  for (std::size_t dashed = 1; dashed < 4; ++dashed) expect_points_inked(pictures, dashed, true);
}

TEST(ReducedPicture, DenseCurvesAndASpikeKeepTheirInk) {
  const testing::PictureFolder folder;
  FourCurves curves(curve_points);
  // A smooth full line with one point far above it, at the top; below it a smooth dashed
  // curve, a dash-dot one rippling faster than a column is wide, and a dotted one.
  constexpr std::size_t spike = curve_points / 3;
  curves.add_curve([](double at, std::size_t index) {
    return 9 + 0.8 * std::sin(at) + (index == spike ? 2.5 : 0);
  });
  curves.add_curve([](double at, std::size_t) { return 6 + 0.8 * std::sin(2 * at); });
  curves.add_curve(
      [](double at, std::size_t) { return 3 + 0.8 * std::sin(at) + 0.05 * std::sin(731 * at); });
  curves.add_curve([](double at, std::size_t) { return 0.8 * std::sin(3 * at); });
  const Comparison pictures = compare_pictures(curves, "dense");
  // Every curve, dashed or not, in a fifth of its points or fewer.
  EXPECT_LT(pictures.reduced_segments, pictures.full_segments / 5);
  // The spike is no part of its curve's band: all of it but its foot must be the same.
  std::vector<Band> bands = bands_of(pictures);
  std::vector<Point> without_spike = pictures.curves[0];
  const auto highest = std::min_element(without_spike.begin(), without_spike.end(),
                                        [](Point a, Point b) { return a.row < b.row; });
  const Point tip = *highest;
  without_spike.erase(highest);
  bands[0] = Band(without_spike, pictures.full.width);
  ASSERT_FALSE(bands[0].holds(static_cast<int>(tip.column), static_cast<int>(tip.row)));
  expect_same_ink(pictures, bands);
  expect_points_inked(pictures, 0, false);
  for (std::size_t dashed = 1; dashed < 4; ++dashed) expect_points_inked(pictures, dashed, true);
}

}  // namespace
}  // namespace curvist
