#include "window/OffscreenWindows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <span>
#include <vector>

#include "TemporaryFolder.hpp"
#include "window/FontFile.hpp"
#include "window/Palette.hpp"

namespace curvist {
namespace {

constexpr std::uint32_t black = 0x000000;
constexpr std::uint32_t navy = 0x000080;
constexpr std::uint32_t purple = 0x800080;
constexpr std::uint32_t yellow = 0xFFFF00;

// A plot window, focused, drawn as the screen plotter lays one out.
struct PlotWindow {
  OffscreenWindows windows;
  PixelSurface* surface;

  PlotWindow() {
    windows.open_window(101, "USER", "Test");
    windows.focus_window(101);
    surface = windows.unit(101)->surface.get();
  }
  std::uint32_t at(int x, int y) const { return surface->at(x, y); }
  int count(std::uint32_t colour) const {
    int found = 0;
    for (int y = 0; y < surface->height(); ++y)
      for (int x = 0; x < surface->width(); ++x) found += surface->at(x, y) == colour;
    return found;
  }
};

TEST(OffscreenWindows, NewWindowsCoverFourFifthsOfTheScreenInWholeCells) {
  OffscreenWindows windows(ScreenSize{1280, 1024});
  EXPECT_EQ(windows.open_window(101, "USER", "A"), 0);
  EXPECT_EQ(windows.new_window_width(), 1024);
  EXPECT_EQ(windows.new_window_height(), 816);
  const auto size = windows.query_window_size(101);
  EXPECT_EQ(size.columns, 128);
  EXPECT_EQ(size.rows, 51);
  EXPECT_EQ(windows.query_window_size(555).columns, 0);
  EXPECT_EQ(windows.unit(101)->title, "A");

  // Larger than stray drawing grows a surface: drawn whole all the same.
  OffscreenWindows large(ScreenSize{6400, 5120});
  large.open_window(101, "USER", "Large");
  large.focus_window(101);
  large.set_colour(5);
  large.draw_rectangle(RectangleControl::outline, 0, 0, 5119, 4095);
  EXPECT_EQ(large.unit(101)->surface->width(), 5120);
  EXPECT_EQ(large.unit(101)->surface->at(5119, 4095), purple);
}

// Without a display nobody looks at a window the plotter has left: its pixels are given
// back, not kept; the window it moves to is drawn as ever, and so is the first one when
// the plotter comes back to it.
TEST(OffscreenWindows, WindowsNobodySeesGiveTheirPixelsBackWhenLeft) {
  OffscreenWindows windows(ScreenSize{1280, 1024}, LeftWindowPixels::given_back);
  const auto draw_frame = [&](int unit) {
    windows.open_window(unit, "USER", "Frame");
    windows.focus_window(unit);
    windows.set_colour(5);
    windows.draw_rectangle(RectangleControl::filled, 0, 0, 1023, 815);
    windows.set_colour(14);
    windows.move_to(10, 10);
    windows.line_to(500, 400);
  };
  draw_frame(101);
  const PixelSurface& first = *windows.unit(101)->surface;
  EXPECT_EQ(first.at(500, 400), yellow);
  const std::size_t raster_bytes = first.memory_bytes();
  draw_frame(102);
  EXPECT_TRUE(first.compacted());
  EXPECT_LT(first.memory_bytes() * 100, raster_bytes) << "no pixels of the plot kept";
  EXPECT_EQ(first.at(500, 400), palette_pixel(0)) << "all background";
  const PixelSurface& second = *windows.unit(102)->surface;
  EXPECT_EQ(second.at(500, 400), yellow);
  EXPECT_EQ(second.at(1000, 800), purple);

  windows.focus_window(101);
  windows.set_colour(14);
  windows.set_pixel(7, 9);
  EXPECT_EQ(first.at(7, 9), yellow);
  EXPECT_EQ(first.at(8, 9), palette_pixel(0));

  // Where the pixels may yet be shown or read, the window left keeps them.
  OffscreenWindows kept(ScreenSize{1280, 1024});
  kept.open_window(101, "USER", "Kept");
  kept.focus_window(101);
  kept.set_colour(14);
  kept.set_pixel(3, 4);
  kept.open_window(102, "USER", "Next");
  kept.focus_window(102);
  EXPECT_EQ(kept.unit(101)->surface->at(3, 4), yellow);
}

TEST(OffscreenWindows, FocusChoosesTheActiveWindowAndIgnoresUnknownUnits) {
  OffscreenWindows windows;
  EXPECT_EQ(windows.active_unit(), 0);
  windows.open_window(101, "USER", "A");
  EXPECT_EQ(windows.active_unit(), 0);
  windows.focus_window(101);
  EXPECT_EQ(windows.active_unit(), 101);
  windows.focus_window(100);
  EXPECT_EQ(windows.active_unit(), 101);
}

TEST(OffscreenWindows, ReopeningAUnitClearsItUnderTheNewCaption) {
  PlotWindow plot;
  plot.windows.set_colour(14);
  plot.windows.draw_rectangle(RectangleControl::filled, 0, 0, 9, 9);
  EXPECT_EQ(plot.windows.open_window(101, "USER", "Second"), 0);
  EXPECT_EQ(plot.at(5, 5), black);
  EXPECT_EQ(plot.windows.unit(101)->title, "Second");
}

TEST(OffscreenWindows, RectanglesIncludeTheirCorners) {
  PlotWindow plot;
  plot.windows.set_colour(5);
  plot.windows.draw_rectangle(RectangleControl::outline, 1, 1, 20, 10);
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 1}, {20, 1}, {1, 10}, {20, 10}})
    EXPECT_EQ(plot.at(x, y), purple) << x << "," << y;
  EXPECT_EQ(plot.at(0, 0), black);
  EXPECT_EQ(plot.at(21, 11), black);
  EXPECT_EQ(plot.at(10, 5), black);  // outline only
  EXPECT_EQ(plot.count(purple), 2 * 20 + 2 * 8);

  plot.windows.set_colour(1);
  plot.windows.draw_rectangle(RectangleControl::filled, 4, 4, 17, 7);
  EXPECT_EQ(plot.at(4, 4), navy);
  EXPECT_EQ(plot.at(17, 7), navy);
  EXPECT_EQ(plot.at(3, 4), black);
  EXPECT_EQ(plot.at(18, 7), black);
  EXPECT_EQ(plot.count(navy), 14 * 4);
}

TEST(OffscreenWindows, LinesCoverBothEndPixelsAndNothingElse) {
  PlotWindow plot;
  plot.windows.set_colour(14);
  plot.windows.move_to(10, 20);
  plot.windows.line_to(40, 31);
  EXPECT_EQ(plot.at(10, 20), yellow);
  EXPECT_EQ(plot.at(40, 31), yellow);
  EXPECT_EQ(plot.count(yellow), 31);  // one pixel per column of an x-major line

  plot.windows.move_to(100, 100);
  plot.windows.line_to(100, 100);
  EXPECT_EQ(plot.at(100, 100), yellow);
  EXPECT_EQ(plot.count(yellow), 32);

  plot.windows.set_pixel(200, 150);
  EXPECT_EQ(plot.at(200, 150), yellow);
  EXPECT_EQ(plot.count(yellow), 33);
}

TEST(OffscreenWindows, DrawingIsClippedToTheViewportAndCountsFromItsOrigin) {
  PlotWindow plot;
  plot.windows.set_viewport(10, 20, 29, 39);
  plot.windows.set_colour(14);
  plot.windows.draw_rectangle(RectangleControl::filled, -5, -5, 100, 100);
  EXPECT_EQ(plot.count(yellow), 20 * 20);
  EXPECT_EQ(plot.at(10, 20), yellow);
  EXPECT_EQ(plot.at(29, 39), yellow);
  EXPECT_EQ(plot.at(9, 20), black);
  EXPECT_EQ(plot.at(30, 39), black);

  plot.windows.set_colour(5);
  plot.windows.draw_rectangle(RectangleControl::outline, 0, 0, 2, 2);
  EXPECT_EQ(plot.at(10, 20), purple);
  EXPECT_EQ(plot.at(12, 22), purple);

  // A horizontal line through the viewport and far beyond stops at its edges.
  plot.windows.set_colour(1);
  plot.windows.move_to(-1000, 5);
  plot.windows.line_to(1000, 5);
  EXPECT_EQ(plot.at(10, 25), navy);
  EXPECT_EQ(plot.at(29, 25), navy);
  EXPECT_EQ(plot.at(9, 25), black);
  EXPECT_EQ(plot.at(30, 25), black);
  EXPECT_EQ(plot.count(navy), 20);

  plot.windows.set_pixel(20, 5);  // beyond the right edge
  EXPECT_EQ(plot.count(navy), 20);
}

TEST(OffscreenWindows, WindowCornersFallOnTheViewportCornerPixels) {
  for (const bool invert : {true, false}) {
    PlotWindow plot;
    plot.windows.set_viewport(4, 4, 797, 412);
    plot.windows.set_window_mapping(invert, -1.5, 10.0, 2.5, 20.0);
    plot.windows.set_colour(14);
    plot.windows.set_pixel(-1.5, 10.0);
    plot.windows.set_pixel(2.5, 20.0);
    plot.windows.set_colour(1);
    plot.windows.set_pixel(-1.5, 20.0);
    plot.windows.set_pixel(2.5, 10.0);
    const int low_row = invert ? 412 : 4;
    const int high_row = invert ? 4 : 412;
    EXPECT_EQ(plot.at(4, low_row), yellow) << invert;
    EXPECT_EQ(plot.at(797, high_row), yellow) << invert;
    EXPECT_EQ(plot.at(4, high_row), navy) << invert;
    EXPECT_EQ(plot.at(797, low_row), navy) << invert;
    EXPECT_EQ(plot.count(yellow), 2);
    EXPECT_EQ(plot.count(navy), 2);
  }
}

TEST(OffscreenWindows, AMappingWithEqualBoundsIsRefused) {
  PlotWindow plot;
  plot.windows.set_viewport(0, 0, 99, 99);
  plot.windows.set_window_mapping(false, 0.0, 0.0, 1.0, 1.0);
  plot.windows.set_window_mapping(false, 5.0, 0.0, 5.0, 1.0);
  plot.windows.set_window_mapping(false, 0.0, 3.0, 1.0, 3.0);
  plot.windows.set_colour(14);
  plot.windows.set_pixel(1.0, 1.0);
  EXPECT_EQ(plot.at(99, 99), yellow);
}

TEST(OffscreenWindows, WildCoordinatesLeaveNoStrayPixel) {
  PlotWindow plot;
  plot.windows.set_viewport(4, 4, 203, 103);
  plot.windows.set_window_mapping(true, 0.0, 0.0, 1.0, 1.0);
  plot.windows.set_colour(14);
  const double infinity = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::pair<double, double>> wild{{nan, 0.5},
                                                    {0.5, nan},
                                                    {infinity, 0.5},
                                                    {-infinity, -infinity},
                                                    {1e300, 1e300},
                                                    {-1e300, 0.5},
                                                    {65536.5, 0.5},
                                                    {1e18, -1e18},
                                                    {std::numeric_limits<double>::max(), 0}};
  for (const auto& [x, y] : wild) {
    plot.windows.set_pixel(x, y);
    plot.windows.move_to(x, y);
    plot.windows.draw_text("x");
    plot.windows.line_to(x, y);
  }
  // Far points on either side of the viewport: no line between them crosses it.
  plot.windows.move_to(-1e12, 2.0);
  plot.windows.line_to(1e12, 2.0);
  plot.windows.move_to(40000.0, -5.0);
  plot.windows.line_to(-40000.0, -5.0);
  EXPECT_EQ(plot.count(yellow), 0);
  EXPECT_LE(plot.surface->width(), PixelSurface::largest_side);

  // A line from a far point into the viewport is drawn up to its end pixel, straight.
  plot.windows.move_to(-1e15, 0.5);
  plot.windows.line_to(0.5, 0.5);
  const int row = 4 + static_cast<int>(std::floor(99 * 0.5 + 0.5));
  EXPECT_EQ(plot.at(4, row), yellow);
  EXPECT_EQ(plot.at(4 + static_cast<int>(std::floor(199 * 0.5 + 0.5)), row), yellow);
  EXPECT_EQ(plot.count(yellow), 101);

  // A line from a point that is not finite draws nothing; the next one starts afresh.
  plot.windows.move_to(nan, 0.0);
  plot.windows.line_to(0.0, 0.0);
  EXPECT_EQ(plot.count(yellow), 101);
  plot.windows.line_to(0.0, 1.0);
  EXPECT_EQ(plot.at(4, 103), yellow);
  EXPECT_EQ(plot.at(4, 4), yellow);
  EXPECT_EQ(plot.count(yellow), 101 + 100 - 1);  // crosses the first line at (4, row)
}

// A curve's points handed over at once are drawn pixel for pixel as point by point:
// many in a column, strokes broken and started again, points far out and not numbers.
TEST(OffscreenWindows, PointsAtOnceAreThePointByPointPixels) {
  std::mt19937 random(3);
  std::normal_distribution<double> noise(0.0, 0.2);
  std::vector<double> x, y;
  for (int i = 0; i < 30000; ++i) {
    x.push_back(i / 30000.0 * 1.2 - 0.1);
    y.push_back(0.5 + 0.3 * std::sin(x.back() * 20) + noise(random));
  }
  x[100] = 1e9, y[2000] = -1e12, x[5000] = std::numeric_limits<double>::quiet_NaN();
  for (const bool join : {true, false}) {
    PlotWindow at_once, one_by_one;
    for (PlotWindow* plot : {&at_once, &one_by_one}) {
      plot->windows.set_viewport(4, 4, 203, 103);
      plot->windows.set_window_mapping(true, 0.0, 0.0, 1.0, 1.0);
      plot->windows.set_colour(14);
    }
    for (std::size_t from = 0; from < x.size(); from += 7000) {
      const std::size_t count = std::min<std::size_t>(7000, x.size() - from);
      const std::span<const double> batch_x(x.data() + from, count),
          batch_y(y.data() + from, count);
      at_once.windows.draw_points(batch_x, batch_y, join, from == 14000);
      one_by_one.windows.WindowOperations::draw_points(batch_x, batch_y, join, from == 14000);
    }
    ASSERT_GT(at_once.count(yellow), 1000);
    for (int row = 0; row < at_once.surface->height(); ++row)
      for (int column = 0; column < at_once.surface->width(); ++column)
        ASSERT_EQ(at_once.at(column, row), one_by_one.at(column, row)) << column << "," << row;
  }
}

TEST(OffscreenWindows, TheSurfaceGrowsToHoldLargeFixedSizes) {
  PlotWindow plot;
  ASSERT_EQ(plot.surface->width(), 1024);
  plot.windows.set_colour(5);
  plot.windows.draw_rectangle(RectangleControl::outline, 1, 1, 1382, 943);
  EXPECT_GE(plot.surface->width(), 1383);
  EXPECT_GE(plot.surface->height(), 944);
  EXPECT_EQ(plot.at(1382, 943), purple);
  EXPECT_EQ(plot.at(1382, 1), purple);
  EXPECT_EQ(plot.at(1383, 943), black);
  // The window itself keeps its size.
  EXPECT_EQ(plot.windows.query_window_size(101).columns, 128);
}

TEST(OffscreenWindows, CellFontsHaveExactlyTheAskedCellSize) {
  OffscreenWindows windows;
  windows.select_font("t'Terminal'h12w8");
  EXPECT_EQ(windows.get_font_info().width, 8);
  EXPECT_EQ(windows.get_font_info().height, 12);
  windows.select_font("t'modern'h14w9");
  EXPECT_EQ(windows.get_font_info().width, 9);
  EXPECT_EQ(windows.get_font_info().height, 14);
  windows.select_font("t'DejaVu Sans'h20");
  EXPECT_EQ(windows.get_font_info().width, 0);  // proportional
  EXPECT_EQ(windows.get_font_info().height, 20);
  windows.select_font("t'Terminal'h12w8p");
  EXPECT_EQ(windows.get_font_info().width, 0);
}

TEST(OffscreenWindows, FontFilesMissingOrNoFontsAreLeftToFontconfig) {
  const testing::TemporaryFolder folder;
  const auto no_font = folder.write("DejaVuSansMono.ttf", "not a font\n");
  EXPECT_EQ(font_face_from_file((folder.path() / "missing.ttf").c_str()), nullptr);
  EXPECT_EQ(font_face_from_file(no_font.c_str()), nullptr);
}

// The bounding box of the pixels that differ from the background.
PixelRectangle ink_extent(const PixelSurface& surface, std::uint32_t background) {
  PixelRectangle box{1 << 20, 1 << 20, -1, -1};
  for (int y = 0; y < surface.height(); ++y)
    for (int x = 0; x < surface.width(); ++x)
      if (surface.at(x, y) != background)
        box = {std::min(box.x1, x), std::min(box.y1, y), std::max(box.x2, x), std::max(box.y2, y)};
  return box;
}

TEST(OffscreenWindows, TextStaysInItsCellsFromTheCurrentPositionInTheDrawingColour) {
  PlotWindow plot;
  plot.windows.set_colour(1);
  plot.windows.draw_rectangle(RectangleControl::filled, 0, 0, 300, 100);
  plot.windows.select_font("t'modern'h14w9");
  plot.windows.set_colour(14);
  plot.windows.move_to(50, 30);
  plot.windows.draw_text("MMMMMMMMMM");
  const PixelSurface& surface = *plot.surface;
  // The text's pixels are yellow or blends of yellow with the navy background, all inside
  // the ten cells of 9 by 14 pixels.
  int inked = 0;
  for (int y = 0; y <= 100; ++y)
    for (int x = 0; x <= 300; ++x) {
      const auto pixel = surface.at(x, y);
      if (pixel == navy) continue;
      ++inked;
      EXPECT_TRUE(x >= 50 && x < 50 + 90 && y >= 30 && y < 30 + 14) << x << "," << y;
    }
  EXPECT_GT(inked, 100);
  EXPECT_GT(plot.count(yellow), 0);  // the strokes' cores take the colour itself
  const auto ink = ink_extent(surface, navy);
  EXPECT_LE(ink.x1, 51);   // an M fills its cell nearly from edge to edge
  EXPECT_GE(ink.x2, 137);  // ... up to the tenth cell
  EXPECT_LE(ink.y1, 33);
  // Background untouched around the glyphs.
  EXPECT_EQ(plot.at(49, 29), navy);
}

TEST(OffscreenWindows, TextIsClippedToTheViewport) {
  PlotWindow plot;
  plot.windows.set_viewport(10, 10, 40, 40);
  plot.windows.select_font("t'Terminal'h12w8");
  plot.windows.set_colour(14);
  plot.windows.move_to(20, 25);
  plot.windows.draw_text("WWWWWWWWWWWWWWWWWW");
  const auto box = ink_extent(*plot.surface, black);
  EXPECT_GE(box.x1, 30);
  EXPECT_EQ(box.x2, 40);
  EXPECT_LE(box.y2, 40);
  EXPECT_GE(box.y1, 35);
}

TEST(OffscreenWindows, TheConsoleShowsGraphicsUntilItReturnsToTextMode) {
  OffscreenWindows windows;
  EXPECT_EQ(windows.unit(0)->surface, nullptr);
  windows.clear_screen(0);
  EXPECT_EQ(windows.unit(0)->surface, nullptr);
  windows.set_colour(14);
  windows.set_pixel(3, 3);
  ASSERT_NE(windows.unit(0)->surface, nullptr);
  EXPECT_EQ(windows.unit(0)->surface->at(3, 3), yellow);
  windows.set_text_mode(-1);
  windows.clear_screen(0);
  EXPECT_EQ(windows.unit(0)->surface, nullptr);
  windows.set_text_colour(7);
  EXPECT_EQ(windows.text_colour_index(), 7);
}

TEST(OffscreenWindows, TextModeClearsAPlotWindowAndForgetsItsViewport) {
  PlotWindow plot;
  plot.windows.set_viewport(4, 4, 50, 50);
  plot.windows.set_window_mapping(true, 0, 0, 1, 1);
  plot.windows.set_colour(14);
  plot.windows.set_pixel(0.5, 0.5);
  plot.windows.set_text_mode(-1);
  EXPECT_EQ(plot.count(yellow), 0);
  plot.windows.set_pixel(100, 100);
  EXPECT_EQ(plot.at(100, 100), yellow);
}

TEST(OffscreenWindows, WritesAUnitAsPng) {
  PlotWindow plot;
  plot.windows.set_colour(12);
  plot.windows.draw_rectangle(RectangleControl::filled, 0, 0, 9, 9);
  const auto path = std::filesystem::temp_directory_path() / "curvist-offscreen-test.png";
  std::string error;
  ASSERT_TRUE(plot.windows.write_png(101, path.string(), error)) << error;
  cairo_surface_t* image = cairo_image_surface_create_from_png(path.string().c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(image), 1024);
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(image));
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xFF0000u);
  cairo_surface_destroy(image);
  std::filesystem::remove(path);

  EXPECT_FALSE(plot.windows.write_png(101, "/nonexistent-folder/x.png", error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(plot.windows.write_png(7, path.string(), error));
}

}  // namespace
}  // namespace curvist
