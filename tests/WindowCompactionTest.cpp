#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <vector>

#include "OffscreenPlots.hpp"
#include "Plot.hpp"
#include "TemporaryFolder.hpp"
#include "array/ColumnMajorView.hpp"
#include "window/OffscreenWindows.hpp"
#include "window/RunLengthRows.hpp"

namespace curvist {
namespace {

using Pixels = std::vector<std::uint32_t>;

Pixels all_pixels(const PixelSurface& surface) {
  Pixels pixels(static_cast<std::size_t>(surface.width()) * surface.height());
  surface.copy_area({0, 0, surface.width() - 1, surface.height() - 1}, pixels.data(),
                    static_cast<std::size_t>(surface.width()));
  return pixels;
}

// A screen plot as the driver draws one: frame, axes, labels, captions and two curves.
void draw_screen_plot(double phase) {
  constexpr std::size_t points = 300;
  std::vector<double> x(2 * points);
  std::vector<double> y(2 * points);
  for (std::size_t index = 0; index < points; ++index) {
    const double t = static_cast<double>(index);
    x[index] = x[points + index] = t * 0.05;
    y[index] = std::sin(t * 0.05 + phase) * std::exp(-t * 0.005);
    y[points + index] = 0.5 * std::cos(t * 0.11 + phase);
  }
  PLOTPACK::PLOTDP(
      ColumnMajorView<const double>(x.data(), points, 2),
      ColumnMajorView<const double>(y.data(), points, 2),
      {.XLABEL = "Time (s)", .YLABEL = "Amplitude", .TITLE = "Two curves", .OWNWINDOW = true});
}

// Offscreen windows of a 1280 by 1024 screen, installed with recorders for the console and
// PGPLOT as the platform of one run.
class WindowCompaction : public ::testing::Test {
 protected:
  testing::OffscreenRun run_;
  OffscreenWindows& windows = run_.windows;
};

TEST(RunLengthRows, GiveBackEveryPixelBitForBit) {
  std::mt19937 random(7);
  for (const int width : {1, 2, 7, 1024, 4096}) {
    const int height = 9;
    const std::size_t row_pixels = static_cast<std::size_t>(width) + 3;  // rows padded
    Pixels raster(row_pixels * height, 0xDEADBEEF);
    for (int y = 0; y < height; ++y) {
      // Runs of every length, and colours that differ only in the byte xRGB leaves unused.
      std::uint32_t colour = 0;
      for (int x = 0; x < width; ++x) {
        if (random() % (y + 1) == 0) colour = random() % 3 == 0 ? colour ^ 0xFF000000u : random();
        raster[y * row_pixels + x] = colour;
      }
    }
    const RunLengthRows rows = encode_rows(raster.data(), row_pixels, width, height);
    ASSERT_EQ(rows.row_starts.size(), static_cast<std::size_t>(height) + 1);
    for (int y = 0; y < height; ++y) {
      Pixels row(width);
      decode_row_part(rows, y, 0, width - 1, row.data());
      EXPECT_TRUE(std::equal(row.begin(), row.end(), raster.begin() + y * row_pixels))
          << width << " " << y;
      // Any part of a row, starting and ending inside runs.
      const int first = static_cast<int>(random() % width);
      const int last = first + static_cast<int>(random() % (width - first));
      Pixels part(last - first + 1, 0);
      decode_row_part(rows, y, first, last, part.data());
      EXPECT_TRUE(std::equal(part.begin(), part.end(), raster.begin() + y * row_pixels + first));
      EXPECT_EQ(pixel_at(rows, last, y), raster[y * row_pixels + last]);
    }
  }
}

TEST(RunLengthRows, FindTheEndOfARunWhereverItFalls) {
  // Long runs are passed over in blocks: a run may end at any pixel of a block, and the
  // row may end inside one.
  for (int width = 1; width <= 70; ++width) {
    for (int length = 1; length <= width; ++length) {
      Pixels raster(static_cast<std::size_t>(width), 0x00AA00u);
      std::fill_n(raster.begin(), length, 0x0000AAu);
      if (length < width) raster[static_cast<std::size_t>(width) - 1] = 0xAA0000u;
      const RunLengthRows rows = encode_rows(raster.data(), raster.size(), width, 1);
      ASSERT_EQ(rows.lengths.front(), length) << width;
      Pixels back(raster.size());
      decode_row_part(rows, 0, 0, width - 1, back.data());
      ASSERT_EQ(back, raster) << width << " " << length;
    }
  }
}

TEST(RunLengthRows, AUniformRasterIsOneRunPerRow) {
  const RunLengthRows rows = uniform_rows(1024, 816, 0x123456);
  EXPECT_EQ(rows.colours.size(), 816u);
  EXPECT_EQ(pixel_at(rows, 1023, 815), 0x123456u);
  EXPECT_LT(memory_bytes(rows), 1024u * 816u * 4u / 200u);
}

TEST_F(WindowCompaction, AFinishedPlotIsKeptCompactAndExactlyTheSame) {
  draw_screen_plot(0.0);
  const int plot_unit = windows.active_unit();
  ASSERT_NE(plot_unit, 0);
  PixelSurface& surface = *windows.unit(plot_unit)->surface;
  ASSERT_FALSE(surface.compacted());
  const Pixels drawn = all_pixels(surface);
  const std::size_t raster_bytes = surface.memory_bytes();
  EXPECT_GE(raster_bytes, 1024u * 816u * 4u);
  std::uint32_t distinct_from_background = 0;
  for (const auto pixel : drawn) distinct_from_background += (pixel & 0xFFFFFF) != 0;
  ASSERT_GT(distinct_from_background, 5000u);  // a plot, not an empty window

  // The next plot's window takes the focus; the first one is finished.
  draw_screen_plot(1.0);
  ASSERT_NE(windows.active_unit(), plot_unit);
  ASSERT_TRUE(surface.compacted());
  EXPECT_LT(surface.memory_bytes() * 20, raster_bytes) << surface.memory_bytes();
  EXPECT_EQ(all_pixels(surface), drawn);
  EXPECT_EQ(surface.at(1, 1), drawn[1 * surface.width() + 1] & 0xFFFFFF);

  // Written as PNG from the compact form, pixel for pixel, and left compact.
  testing::TemporaryFolder folder;
  std::string error;
  ASSERT_TRUE(windows.write_png(plot_unit, (folder / "plot.png").string(), error)) << error;
  EXPECT_TRUE(surface.compacted());
  cairo_surface_t* image = cairo_image_surface_create_from_png((folder / "plot.png").c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  ASSERT_EQ(cairo_image_surface_get_width(image), surface.width());
  ASSERT_EQ(cairo_image_surface_get_height(image), surface.height());
  const auto* png = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(image));
  const int png_row_pixels = cairo_image_surface_get_stride(image) / 4;
  int differences = 0;
  for (int y = 0; y < surface.height(); ++y)
    for (int x = 0; x < surface.width(); ++x)
      differences +=
          (png[y * png_row_pixels + x] & 0xFFFFFF) != (drawn[y * surface.width() + x] & 0xFFFFFF);
  cairo_surface_destroy(image);
  EXPECT_EQ(differences, 0);
}

TEST_F(WindowCompaction, DrawingIntoACompactedWindowResumesOnItsPixels) {
  windows.open_window(101, "USER", "First");
  windows.open_window(102, "USER", "Second");
  windows.focus_window(101);
  windows.set_colour(12);
  windows.draw_rectangle(RectangleControl::filled, 10, 10, 29, 19);
  windows.set_viewport(100, 100, 299, 199);
  windows.set_window_mapping(true, 0.0, 0.0, 1.0, 1.0);
  PixelSurface& surface = *windows.unit(101)->surface;
  surface.take_damage();

  windows.focus_window(102);
  ASSERT_TRUE(surface.compacted());
  windows.focus_window(101);
  EXPECT_TRUE(surface.compacted());  // the focus alone draws nothing

  // The window keeps its drawing state: the viewport and the mapping still hold.
  windows.set_colour(14);
  windows.move_to(0.0, 0.0);
  windows.line_to(1.0, 1.0);
  EXPECT_FALSE(surface.compacted());
  EXPECT_EQ(surface.at(100, 199), 0xFFFF00u);
  EXPECT_EQ(surface.at(299, 100), 0xFFFF00u);
  EXPECT_EQ(surface.at(10, 10), 0xFF0000u);
  EXPECT_EQ(surface.at(29, 19), 0xFF0000u);
  EXPECT_EQ(surface.at(30, 19), 0u);
  const PixelRectangle damage = surface.take_damage();
  EXPECT_EQ(damage.x1, 100);
  EXPECT_EQ(damage.y2, 199);

  // A text, a pixel and a growth beyond the window expand a compact surface as well.
  windows.focus_window(102);
  windows.focus_window(101);
  windows.set_viewport(0, 0, 4000, 4000);
  windows.set_window_mapping(false, 0.0, 0.0, 4000.0, 4000.0);
  windows.set_pixel(1500.0, 1200.0);
  EXPECT_GE(surface.width(), 1501);
  EXPECT_EQ(surface.at(1500, 1200), 0xFFFF00u);
  EXPECT_EQ(surface.at(10, 10), 0xFF0000u);
  windows.focus_window(102);
  windows.focus_window(101);
  windows.select_font("t'Terminal'h16w8");
  windows.move_to(40.0, 40.0);
  windows.draw_text("W");
  int written = 0;
  for (int y = 40; y < 56; ++y)
    for (int x = 40; x < 48; ++x) written += surface.at(x, y) != 0;
  EXPECT_GT(written, 0);
  EXPECT_EQ(surface.at(1500, 1200), 0xFFFF00u);
}

TEST_F(WindowCompaction, ReopeningOrClearingACompactedWindowLeavesItCompactAndBlank) {
  draw_screen_plot(0.0);
  const int plot_unit = windows.active_unit();
  ASSERT_NE(plot_unit, 0);
  PixelSurface& surface = *windows.unit(plot_unit)->surface;
  windows.compact_surfaces();
  ASSERT_TRUE(surface.compacted());
  surface.take_damage();

  windows.open_window(plot_unit, "USER", "Again");
  EXPECT_TRUE(surface.compacted());
  EXPECT_EQ(all_pixels(surface), Pixels(all_pixels(surface).size(), 0u));
  // The whole window is to be shown again.
  const PixelRectangle damage = surface.take_damage();
  EXPECT_EQ(damage.x2, surface.width() - 1);
  EXPECT_EQ(damage.y2, surface.height() - 1);

  draw_screen_plot(2.0);  // a new unit, the reopened one stays blank
  EXPECT_EQ(surface.at(1, 1), 0u);
}

TEST_F(WindowCompaction, ANewWindowShowsNothingOfTheRasterItTookOver) {
  // The raster of a finished window serves the next one: nothing of the old plot may
  // show through, whether the new window grows or keeps its size.
  draw_screen_plot(0.0);
  for (const int unit : {201, 202}) {
    windows.open_window(unit, "USER", "Next");
    windows.focus_window(unit);  // compacts the window left
    PixelSurface& surface = *windows.unit(unit)->surface;
    windows.set_colour(12);
    // 201 draws a pixel inside its size, 202 one beyond it, so that it grows.
    const int x = unit == 201 ? 10 : surface.width() + 5;
    windows.draw_rectangle(RectangleControl::filled, static_cast<std::int16_t>(x), 20,
                           static_cast<std::int16_t>(x), 20);
    ASSERT_FALSE(surface.compacted());
    Pixels expected(static_cast<std::size_t>(surface.width()) * surface.height(), 0u);
    expected[20 * static_cast<std::size_t>(surface.width()) + x] = 0xFF0000u;
    EXPECT_EQ(all_pixels(surface), expected) << unit;
  }
}

TEST_F(WindowCompaction, DamageNotYetShownOutlivesTheCompaction) {
  windows.open_window(101, "USER", "First");
  windows.focus_window(101);
  PixelSurface& surface = *windows.unit(101)->surface;
  surface.take_damage();
  windows.set_colour(10);
  windows.draw_rectangle(RectangleControl::filled, 5, 6, 7, 8);
  windows.compact_surfaces();
  ASSERT_TRUE(surface.compacted());
  const PixelRectangle damage = surface.take_damage();
  EXPECT_EQ(damage.x1, 5);
  EXPECT_EQ(damage.y1, 6);
  EXPECT_EQ(damage.x2, 7);
  EXPECT_EQ(damage.y2, 8);
}

}  // namespace
}  // namespace curvist
