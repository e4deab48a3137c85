// Which windows keep a plot to be drawn again when resized, when a redraw is due, and
// when its result may take the window's place: offscreen, one step at a time.
#include "window/KeptPlots.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "window/OffscreenWindows.hpp"
#include "window/PlotViews.hpp"
#include "window/WindowRedraw.hpp"

namespace curvist {
namespace {

// A plot whose picture depends on its window's size: a border around the client area
// in its colour, with the viewport set inside it.
class BorderPlot final : public RedrawablePlot {
 public:
  explicit BorderPlot(int colour) : colour_(colour) {}

  void draw(WindowOperations& windows, int unit) const override {
    windows.open_window(unit, "USER", "Border");
    windows.focus_window(unit);
    const WindowSize cells = windows.query_window_size(unit);
    const auto right = static_cast<std::int16_t>(cells.columns * cell_width_pixels - 1);
    const auto bottom = static_cast<std::int16_t>(cells.rows * cell_height_pixels - 1);
    windows.set_colour(colour_);
    windows.draw_rectangle(RectangleControl::outline, 0, 0, right, bottom);
    windows.set_viewport(1, 1, static_cast<std::int16_t>(right - 1),
                         static_cast<std::int16_t>(bottom - 1));
  }

 private:
  int colour_;
};

class KeptPlotsTest : public ::testing::Test {
 protected:
  KeptPlotsTest() { windows.set_new_window_size(640, 480); }

  // A focus, as the X11 windows pass it on.
  void focus(int unit) {
    windows.focus_window(unit);
    kept.note_focus(unit, windows);
  }

  // The plot drawn into the windows, as the plotter draws it, and handed over.
  std::shared_ptr<const RedrawablePlot> plot_into(int unit, int colour, bool reused = false) {
    auto plot = std::make_shared<const BorderPlot>(colour);
    if (reused) {
      focus(unit);
    } else {
      plot->draw(windows, unit);
      kept.note_focus(unit, windows);
    }
    const WindowSize cells = windows.query_window_size(unit);
    if (reused) {
      // Drawn over the window as it is.
      windows.set_colour(colour);
      windows.draw_rectangle(RectangleControl::outline, -1, -1,
                             static_cast<std::int16_t>(cells.columns * cell_width_pixels - 2),
                             static_cast<std::int16_t>(cells.rows * cell_height_pixels - 2));
    }
    kept.keep(unit, windows, cells, reused, plot);
    return plot;
  }

  std::uint32_t pixel(int unit, int x, int y) { return windows.unit(unit)->surface->at(x, y); }

  // Asks for, draws and installs the unit's redraw; whether it took the window's place.
  bool redraw(int unit) {
    const auto wanted = kept.redraw_wanted(unit, windows);
    if (!wanted) return false;
    const auto redrawn = draw_again(*wanted);
    return redrawn && kept.install(*wanted, windows, *redrawn);
  }

  OffscreenWindows windows;
  KeptPlots kept;
};

TEST_F(KeptPlotsTest, AResizeToOtherCellsIsRedrawnAtTheNewSize) {
  plot_into(101, 12);
  // Within the same cells the layout is the same: nothing to do.
  windows.set_client_size(101, 645, 490);
  EXPECT_FALSE(kept.redraw_wanted(101, windows));

  windows.set_client_size(101, 400, 300);
  const auto wanted = kept.redraw_wanted(101, windows);
  ASSERT_TRUE(wanted);
  EXPECT_EQ(wanted->width, 400);
  EXPECT_EQ(wanted->height, 300);
  const auto redrawn = draw_again(*wanted);
  ASSERT_NE(redrawn, nullptr);
  EXPECT_TRUE(redrawn->surface->compacted());
  ASSERT_TRUE(kept.install(*wanted, windows, *redrawn));
  // The border of a 400 by 288 plot, in the window's place; caption and size kept.
  EXPECT_EQ(pixel(101, 399, 287), 0xFF0000u);
  EXPECT_EQ(windows.unit(101)->surface->width(), 400);
  EXPECT_EQ(windows.unit(101)->title, "Border");
  EXPECT_EQ(windows.unit(101)->width, 400);
  // The earlier pixels are handed back, and the redraw is done.
  EXPECT_EQ(redrawn->surface->width(), 640);
  EXPECT_FALSE(kept.redraw_wanted(101, windows));

  // The window's drawing goes on in the redrawn plot's viewport.
  windows.set_colour(10);
  windows.draw_rectangle(RectangleControl::filled, 0, 0, 1000, 1000);
  EXPECT_EQ(pixel(101, 398, 286), 0x00FF00u);
  EXPECT_EQ(pixel(101, 399, 287), 0xFF0000u);
}

TEST_F(KeptPlotsTest, AWindowDrawnIntoAfterItsPlotKeepsItsPixels) {
  plot_into(101, 12);
  windows.set_client_size(101, 400, 300);
  const auto wanted = kept.redraw_wanted(101, windows);
  ASSERT_TRUE(wanted);
  // Drawn into while the redraw was under way: the redraw is thrown away.
  windows.move_to(5, 5);
  const auto redrawn = draw_again(*wanted);
  EXPECT_FALSE(kept.install(*wanted, windows, *redrawn));
  EXPECT_EQ(pixel(101, 639, 479), 0xFF0000u);
  // And the plot is no longer kept.
  windows.set_client_size(101, 300, 200);
  EXPECT_FALSE(kept.redraw_wanted(101, windows));
  EXPECT_EQ(kept.count(), 0u);
}

TEST_F(KeptPlotsTest, APlotTakesTheReusedWindowOnlyOverItsKeptPlotAtTheSameSize) {
  // Reused while it shows its plot, at the size it was laid out for: the new plot follows.
  plot_into(101, 12);
  plot_into(101, 10, true);
  windows.set_client_size(101, 400, 300);
  ASSERT_TRUE(redraw(101));
  EXPECT_EQ(pixel(101, 399, 287), 0x00FF00u);

  // Resized, but not yet redrawn, when reused: a plot at another size.
  windows.set_client_size(101, 640, 480);
  plot_into(101, 14, true);
  windows.set_client_size(101, 320, 240);
  EXPECT_FALSE(redraw(101));
  EXPECT_EQ(kept.count(), 0u);

  // Drawn into by anything else before it was reused.
  plot_into(102, 12);
  windows.set_pixel(3, 3);
  plot_into(102, 10, true);
  windows.set_client_size(102, 320, 240);
  EXPECT_FALSE(redraw(102));

  // Resized while a plot reusing it draws: that plot still takes its place, and is then
  // drawn again at the new size.
  plot_into(104, 12);
  focus(104);
  const WindowSize measured = windows.query_window_size(104);
  windows.set_colour(10);
  windows.draw_rectangle(RectangleControl::outline, -1, -1, 638, 478);
  windows.set_client_size(104, 320, 240);
  EXPECT_FALSE(kept.redraw_wanted(104, windows));
  kept.keep(104, windows, measured, true, std::make_shared<const BorderPlot>(10));
  ASSERT_TRUE(redraw(104));
  EXPECT_EQ(pixel(104, 319, 239), 0x00FF00u);

  // A window merely brought to the front still follows.
  plot_into(103, 12);
  focus(103);
  focus(101);
  windows.set_client_size(103, 320, 240);
  EXPECT_TRUE(redraw(103));
}

TEST_F(KeptPlotsTest, OnlyThePlotsStillShownAreKept) {
  plot_into(101, 12);
  plot_into(102, 12);
  windows.clear_screen(0);  // the active window, 102
  plot_into(103, 12);
  EXPECT_EQ(kept.count(), 2u);  // 102's went with the next plot
  kept.forget(101);
  EXPECT_EQ(kept.count(), 1u);
  windows.set_client_size(101, 320, 240);
  EXPECT_FALSE(kept.redraw_wanted(101, windows));
  kept.forget_all();
  EXPECT_EQ(kept.count(), 0u);
}

}  // namespace
}  // namespace curvist

// The values the title shows under a pixel of a plot mapped over 0..10 (x, 1000 pixels)
// and -1..1 (y, 200 pixels): the digits a pixel resolves; on a logarithmic axis the
// value, not its logarithm. And how far views may go before 64-bit values give out.
namespace curvist {
namespace {

TEST(PlotViews, TheTitleShowsTheValuesAPixelResolvesAndZoomStopsWhereThoseGiveOut) {
  DrawingState drawing;
  drawing.has_window_bounds = true;
  drawing.viewport = {0, 0, 999, 199};
  drawing.map_x = {100, 0};    // 0.01 a pixel
  drawing.map_y = {-100, 99};  // y grows upwards, 0.01 a pixel
  const struct {
    bool log_x, log_y;
    int x, y;
    std::string shown;
  } cases[] = {
      {false, false, 235, 111, "x = 2.35  y = -0.12"},
      {false, false, 0, 99, "x = 0  y = 0"},
      {true, false, 235, 99, "x = 224  y = 0"},  // 10^2.35, steps of 5 there
      {false, true, 999, 199, "x = 9.99  y = 0.1"},
      {false, false, 1000, 10, ""},  // beyond the viewport
  };
  for (const auto& c : cases)
    EXPECT_EQ(values_at_pixel(drawing, {0, 10, -1, 1, c.log_x, c.log_y}, c.x, c.y), c.shown);

  EXPECT_TRUE(resolvable({1, 1 + 1e-9, -1, 1, false, false}, 1000));
  EXPECT_FALSE(resolvable({1, 1 + 1e-11, -1, 1, false, false}, 1000));
  EXPECT_FALSE(resolvable({0, 1e308, -1, 1, false, false}, 1000));
  EXPECT_FALSE(resolvable({0, 400, -1, 1, true, false}, 1000));  // 10^400 is no double
  EXPECT_FALSE(view_of_rectangle(drawing, {0, 10, -1, 1}, {10, 10, 13, 80}).has_value());
}

}  // namespace
}  // namespace curvist
