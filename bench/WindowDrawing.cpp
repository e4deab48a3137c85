// Cost of the per-point window operations on an offscreen surface, with a viewport and
// window mapping set the way a screen plot sets them.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "window/OffscreenWindows.hpp"

namespace {

struct PlotSurface {
  curvist::OffscreenWindows windows;
  std::vector<double> x;
  std::vector<double> y;

  PlotSurface() {
    windows.open_window(101, "USER", "bench");
    windows.focus_window(101);
    windows.set_viewport(4, 4, 1018, 812);
    windows.set_window_mapping(true, -0.1, -1.2, 10.1, 1.2);
    windows.set_colour(14);
    // A wave sampled finely: successive points a few pixels apart.
    for (int index = 0; index < 4096; ++index) {
      x.push_back(index * 10.0 / 4096);
      y.push_back(std::sin(index * 0.01));
    }
  }
};

void short_segments(benchmark::State& state) {
  PlotSurface plot;
  std::size_t index = 0;
  for (auto _ : state) {
    if (index == 0) plot.windows.move_to(plot.x[0], plot.y[0]);
    plot.windows.line_to(plot.x[index], plot.y[index]);
    index = (index + 1) % plot.x.size();
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("segments");
}
BENCHMARK(short_segments);

void move_and_line(benchmark::State& state) {
  PlotSurface plot;
  std::size_t index = 1;
  for (auto _ : state) {
    plot.windows.move_to(plot.x[index - 1], plot.y[index - 1]);
    plot.windows.line_to(plot.x[index], plot.y[index]);
    index = index + 1 == plot.x.size() ? 1 : index + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(move_and_line);

void pixels(benchmark::State& state) {
  PlotSurface plot;
  std::size_t index = 0;
  for (auto _ : state) {
    plot.windows.set_pixel(plot.x[index], plot.y[index]);
    index = (index + 1) % plot.x.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(pixels);

// Through the interface, as the plotter calls them.
void short_segments_through_interface(benchmark::State& state) {
  PlotSurface plot;
  curvist::WindowOperations& windows = plot.windows;
  std::size_t index = 0;
  for (auto _ : state) {
    if (index == 0) windows.move_to(plot.x[0], plot.y[0]);
    windows.line_to(plot.x[index], plot.y[index]);
    index = (index + 1) % plot.x.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(short_segments_through_interface);

}  // namespace
