// Memory of a finished plot window, as a full raster and kept compact, and the cost of
// compacting it and of getting the raster back.

#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "Plot.hpp"
#include "array/ColumnMajorView.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/OffscreenWindows.hpp"

namespace {

// A screen plot as the driver draws one for a small data file; returns its surface.
curvist::PixelSurface& draw_plot(curvist::OffscreenWindows& windows, std::size_t points) {
  std::ostringstream trace;
  curvist::RecordingConsole console(trace);
  curvist::RecordingPgplot pgplot(trace);
  curvist::ScopedPlatform scope({console, pgplot, windows});
  std::vector<double> x(points);
  std::vector<double> y(points);
  for (std::size_t index = 0; index < points; ++index) {
    x[index] = static_cast<double>(index) * 10.0 / static_cast<double>(points);
    y[index] = std::sin(x[index]) * std::exp(-x[index] / 10);
  }
  curvist::PLOTPACK::PLOTDP(
      curvist::ColumnMajorView<const double>(x.data(), points, 1),
      curvist::ColumnMajorView<const double>(y.data(), points, 1),
      {.RESOLUTION = 0, .XLABEL = "Time (s)", .YLABEL = "Amplitude", .OWNWINDOW = true});
  return *windows.unit(windows.active_unit())->surface;
}

void compact_and_expand(benchmark::State& state) {
  curvist::OffscreenWindows windows(curvist::ScreenSize{1280, 1024});
  curvist::PixelSurface& surface = draw_plot(windows, static_cast<std::size_t>(state.range(0)));
  const double raster_bytes = static_cast<double>(surface.memory_bytes());
  surface.compact();
  const double compact_bytes = static_cast<double>(surface.memory_bytes());
  for (auto _ : state) {
    surface.expand();
    surface.compact();
  }
  state.counters["raster_bytes"] = raster_bytes;
  state.counters["compact_bytes"] = compact_bytes;
  state.counters["ratio"] = raster_bytes / compact_bytes;
}
BENCHMARK(compact_and_expand)->Arg(50)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
