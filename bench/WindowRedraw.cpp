// The cost of drawing a resized window again: the kept plot of two curves drawn afresh
// into offscreen windows of the new size and compacted, as the redraw thread does it once
// a frame while the user drags the window's edge, or once for a zoom; and what keeping the plot
// costs the plot itself.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

#include "Plot.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/WindowOperations.hpp"
#include "window/WindowRedraw.hpp"

namespace {

// Windows that draw nothing and measure 128 by 51 cells of 8 by 16 pixels. When they can
// be resized, what a plot hands over for its redraws is caught here.
class ResizableWindows final : public curvist::WindowOperations {
 public:
  explicit ResizableWindows(bool resizable = true) : resizable_(resizable) {}
  std::shared_ptr<const curvist::RedrawablePlot> kept;

  int open_window(int, std::string_view, std::string_view) override { return 0; }
  void focus_window(int) override {}
  void initialise_fonts() override {}
  void select_font(std::string_view) override {}
  curvist::FontInfo get_font_info() override { return {8, 12}; }
  curvist::WindowSize query_window_size(int) override { return {128, 51}; }
  void clear_screen(int) override {}
  void set_colour(int) override {}
  void draw_rectangle(curvist::RectangleControl, std::int16_t, std::int16_t, std::int16_t,
                      std::int16_t) override {}
  void set_viewport(std::int16_t, std::int16_t, std::int16_t, std::int16_t) override {}
  void set_window_mapping(bool, double, double, double, double) override {}
  void move_to(double, double) override {}
  void line_to(double, double) override {}
  void set_pixel(double, double) override {}
  void draw_text(std::string_view) override {}
  void set_text_colour(int) override {}
  void set_text_mode(int) override {}
  bool windows_follow_resizes() const override { return resizable_; }
  void follow_resizes(int, curvist::WindowSize, bool,
                      std::shared_ptr<const curvist::RedrawablePlot> plot) override {
    kept = std::move(plot);
  }

 private:
  bool resizable_;
};

struct TwoCurves {
  std::vector<double> x;
  std::vector<double> y;
  std::size_t points;
};

TwoCurves two_curves(std::size_t points) {
  TwoCurves curves{{}, {}, points};
  for (int curve = 0; curve < 2; ++curve)
    for (std::size_t point = 0; point < points; ++point) {
      const double t = 10.0 * static_cast<double>(point) / static_cast<double>(points);
      curves.x.push_back(t);
      curves.y.push_back(std::sin(t * (curve + 1)) * std::exp(-t / 8));
    }
  return curves;
}

// Plots the curves on the resizable windows; what they kept.
std::shared_ptr<const curvist::RedrawablePlot> plotted(const TwoCurves& curves,
                                                       ResizableWindows& windows) {
  std::ostringstream unused;
  curvist::RecordingConsole console(unused);
  curvist::RecordingPgplot pgplot(unused);
  const curvist::ScopedPlatform scope({console, pgplot, windows});
  curvist::PLOTPACK::PLOTDP({curves.x.data(), curves.points, 2},
                            {curves.y.data(), curves.points, 2},
                            {.RESOLUTION = 0,
                             .XLABEL = "t (s)",
                             .YLABEL = "amplitude",
                             .TITLE = "Redrawn",
                             .OWNWINDOW = true});
  return windows.kept;
}

void BM_RedrawOfAResizedWindow(benchmark::State& state) {
  const TwoCurves curves = two_curves(static_cast<std::size_t>(state.range(0)));
  ResizableWindows windows;
  const curvist::WindowRedraw redraw{101, plotted(curves, windows), 0, 1024, 816, std::nullopt, 0};
  for (auto _ : state) benchmark::DoNotOptimize(curvist::draw_again(redraw));
  state.SetItemsProcessed(state.iterations() * 2 * state.range(0));
}
BENCHMARK(BM_RedrawOfAResizedWindow)
    ->Arg(500)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// A zoom into a window of 1,000,000 points (two curves of 500,000): the kept plot drawn for
// a tenth of its range in x and half in y, as the redraw thread does it when the user lets
// go of the rubber band. Every point is still mapped; most are cut off at the frame.
void BM_RedrawOfAZoomedWindow(benchmark::State& state) {
  const TwoCurves curves = two_curves(static_cast<std::size_t>(state.range(0)));
  ResizableWindows windows;
  const auto plot = plotted(curves, windows);
  const curvist::WindowRedraw redraw{
      101, plot, 0, 1024, 816, curvist::PlotView{4.0, 5.0, -0.5, 0.5, false, false}, 1};
  for (auto _ : state) benchmark::DoNotOptimize(curvist::draw_again(redraw));
  state.SetItemsProcessed(state.iterations() * 2 * state.range(0));
}
BENCHMARK(BM_RedrawOfAZoomedWindow)->Arg(500'000)->Unit(benchmark::kMillisecond);

// The plotter's own work on windows that draw nothing, with and without keeping what a
// redraw needs (argument 1 and 0): the difference is the copy of the points.
void BM_PlotKeptForRedraws(benchmark::State& state) {
  const TwoCurves curves = two_curves(1'000'000);
  ResizableWindows windows(state.range(0) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(plotted(curves, windows));
  state.SetItemsProcessed(state.iterations() * 2'000'000);
}
BENCHMARK(BM_PlotKeptForRedraws)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
