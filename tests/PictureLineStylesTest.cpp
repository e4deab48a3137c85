// PGPLOT's five line styles in a real picture, told apart by the dashes and dots along
// each line as Ghostscript renders it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "PictureFolder.hpp"
#include "RealPictures.hpp"

namespace curvist {
namespace {

using testing::is_dark;
using testing::PictureFolder;

// The lengths of the dark runs along one row of the image.
std::vector<int> dark_runs(const RgbImage& image, int row) {
  std::vector<int> runs;
  int length = 0;
  for (int column = 0; column < image.width; ++column) {
    if (is_dark(image.pixels[static_cast<std::size_t>(row) * image.width + column])) {
      ++length;
    } else if (length > 0) {
      runs.push_back(length);
      length = 0;
    }
  }
  if (length > 0) runs.push_back(length);
  return runs;
}

// The middle row of each band of rows that hold ink, from the top down.
std::vector<int> line_rows(const RgbImage& image) {
  std::vector<int> rows;
  int band_start = -1;
  for (int row = 0; row <= image.height; ++row) {
    const bool inked = row < image.height && !dark_runs(image, row).empty();
    if (inked && band_start < 0) band_start = row;
    if (!inked && band_start >= 0) {
      rows.push_back((band_start + row - 1) / 2);
      band_start = -1;
    }
  }
  return rows;
}

// A dashed line read as 'D' for each dash and '.' for each dot, its first and last marks
// left out (the ends of the line may cut them short).
std::string marks(const std::vector<int>& runs, int longest_dot) {
  std::string text;
  for (std::size_t index = 1; index + 1 < runs.size(); ++index)
    text += runs[index] > longest_dot ? 'D' : '.';
  return text;
}

// How many dots lie between each two dashes that follow one another.
std::vector<int> dots_between_dashes(const std::string& marks) {
  std::vector<int> counts;
  const auto first = marks.find('D');
  if (first == std::string::npos) return counts;
  int dots = 0;
  for (std::size_t index = first + 1; index < marks.size(); ++index) {
    if (marks[index] == '.') {
      ++dots;
    } else {
      counts.push_back(dots);
      dots = 0;
    }
  }
  return counts;
}

// A line of several dashes with `dots` dots between each two.
void expect_dashes_with_dots_between(const std::string& marks, int dots) {
  const std::vector<int> counts = dots_between_dashes(marks);
  EXPECT_GE(counts.size(), 3u) << marks;
  EXPECT_EQ(counts, std::vector<int>(counts.size(), dots)) << marks;
}

TEST(PictureLineStyles, PgplotsFiveStylesAreDrawnAsPgplotNumbersThem) {
  const PictureFolder folder;
  auto pgplot = make_pgplot_library();
  ASSERT_EQ(pgplot->PGBEG(0, "styles.ps/ps", 1, 1), 1);
  pgplot->PGSLW(3);
  pgplot->PGPAGE();
  pgplot->PGVSTD();
  pgplot->PGSWIN(0, 1, 0, 6);
  // Style 5 on top, style 1 at the bottom.
  for (int style = 1; style <= 5; ++style) {
    const std::array<float, 2> x{0.05f, 0.95f};
    const std::array<float, 2> y{float(style), float(style)};
    pgplot->PGSLS(style);
    pgplot->PGLINE(x, y);
  }
  ASSERT_TRUE(pgplot->PGEND());

  const RgbImage page = testing::render_postscript("styles.ps", 144);
  const std::vector<int> rows = line_rows(page);
  ASSERT_EQ(rows.size(), 5u);
  std::array<std::vector<int>, 5> runs;  // runs[style - 1]
  for (int style = 1; style <= 5; ++style) runs[style - 1] = dark_runs(page, rows[5 - style]);

  // The full line is one run across most of the page.
  ASSERT_EQ(runs[0].size(), 1u);
  EXPECT_GT(runs[0][0], page.width / 2);
  // Dots are the shortest marks of the broken lines, dashes the longest; between them lies
  // the line that tells them apart.
  int shortest = page.width, longest = 0;
  for (int style = 2; style <= 5; ++style) {
    for (const int length : runs[style - 1]) {
      shortest = std::min(shortest, length);
      longest = std::max(longest, length);
    }
  }
  ASSERT_GT(longest, 2 * shortest);
  const int longest_dot = (shortest + longest) / 2;

  // Long dashes, dash-dot and dash-dot-dot-dot: dashes with 0, 1 and 3 dots between them.
  expect_dashes_with_dots_between(marks(runs[1], longest_dot), 0);
  expect_dashes_with_dots_between(marks(runs[2], longest_dot), 1);
  expect_dashes_with_dots_between(marks(runs[4], longest_dot), 3);
  const std::string dotted = marks(runs[3], longest_dot);
  EXPECT_GE(dotted.size(), 10u);
  EXPECT_EQ(dotted.find('D'), std::string::npos) << dotted;
}

}  // namespace
}  // namespace curvist
