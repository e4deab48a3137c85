// The cost of each window when a folder of small files is plotted: one screen plot of 200
// points after another, each in a window of its own, into offscreen windows of a
// 1280 x 1024 screen (each left window is compacted, as the driver leaves it).

#include <benchmark/benchmark.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "Plot.hpp"
#include "array/ColumnMajorView.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/OffscreenWindows.hpp"

namespace {

void one_window_per_plot(benchmark::State& state) {
  constexpr std::size_t points = 200;
  std::vector<double> x(points), y(points);
  for (std::size_t index = 0; index < points; ++index) {
    x[index] = static_cast<double>(index) * 0.05;
    y[index] = std::sin(x[index]) * std::exp(-x[index] / 8);
  }
  std::ostringstream unused;
  curvist::RecordingConsole console(unused);
  curvist::RecordingPgplot pgplot(unused);
  curvist::OffscreenWindows windows(curvist::ScreenSize{1280, 1024});
  std::optional<curvist::ScopedPlatform> run;
  int plotted = 0;
  for (auto _ : state) {
    // A folder is not endless: a new run starts on the windows now and then, numbering
    // them afresh, so that their compact pixels do not pile up over millions of
    // iterations.
    if (plotted++ % 500 == 0) {
      state.PauseTiming();
      run.reset();
      run.emplace(curvist::Platform{console, pgplot, windows});
      state.ResumeTiming();
    }
    curvist::PLOTPACK::PLOTDP(curvist::ColumnMajorView<const double>(x.data(), points, 1),
                              curvist::ColumnMajorView<const double>(y.data(), points, 1),
                              {.RESOLUTION = 0,
                               .XLABEL = "Time (s)",
                               .YLABEL = "Amplitude",
                               .TITLE = "Benchmark",
                               .OWNWINDOW = true});
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(one_window_per_plot)->Unit(benchmark::kMillisecond);

}  // namespace
