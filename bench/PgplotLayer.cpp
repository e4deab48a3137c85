// Points per second from the file plotter through the PGPLOT layer into PostScript.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <vector>

#include "PgPlot.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/PgplotLibrary.hpp"
#include "platform/Platform.hpp"
#include "window/RecordingWindows.hpp"

namespace {

using namespace curvist;

// One polyline of `points` points through the whole plot, picture written and renamed.
void PolylineIntoPostScript(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  std::vector<double> x(points), y(points);
  for (std::size_t i = 0; i < points; ++i) {
    x[i] = static_cast<double>(i);
    y[i] = std::sin(0.001 * static_cast<double>(i));
  }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("curvist-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string file_name = (folder / "bench.ps").string();

  std::ostringstream trace;
  RecordingConsole console(trace);
  RecordingWindows windows(trace);
  auto pgplot = make_pgplot_library();
  ScopedPlatform platform({console, *pgplot, windows});
  PGPLOTPACK::FilePlotOptions options;
  options.FILENAME = file_name;
  for (auto _ : state) {
    PGPLOTPACK::PGPLOTDP({x.data(), points, 1}, {y.data(), points, 1}, options);
    trace.str("");
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * points));
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file_name));
  std::filesystem::remove_all(folder);
}
BENCHMARK(PolylineIntoPostScript)->Arg(1000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
