// How fast a data file of a million points is read: the list-directed parsing alone, and
// the whole reader with the file on disk.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "listdirected/ListDirectedInput.hpp"
#include "plotfile/PlotFile.hpp"

namespace {

constexpr int curve_count = 4;
constexpr int points_per_curve = 250000;

// Points in the forms data files are written in: fixed, E and D exponents, commas.
std::string million_point_file() {
  // Appended piece by piece: GCC 12 warns (wrongly) of overlapping copies in the sum.
  std::string content = "-";
  content += std::to_string(curve_count);
  content += '\n';
  content += std::to_string(points_per_curve);
  content += '\n';
  char line[96];
  for (int curve = 0; curve < curve_count; ++curve) {
    for (int point = 0; point < points_per_curve; ++point) {
      const double x = point * 1e-3;
      const double y = std::sin(x * (curve + 1)) * std::exp(-x / 50);
      switch (curve) {
        case 0:
          std::snprintf(line, sizeof line, "%.6f %.9f\n", x, y);
          break;
        case 1:
          std::snprintf(line, sizeof line, "%.8E, %.8E\n", x, y);
          break;
        case 2:
          std::snprintf(line, sizeof line, "  %.10e\t%.10e\n", x, y);
          break;
        default:
          std::snprintf(line, sizeof line, "%.7fD0 %.7fD-1\n", x, y * 10);
          break;
      }
      content += line;
    }
  }
  return content + "x\ny\nA million points\n";
}

const std::string& data_file() {
  static const std::string content = million_point_file();
  return content;
}

void ParseMillionPoints(benchmark::State& state) {
  const std::string& content = data_file();
  for (auto _ : state) {
    curvist::RecordInput input{content};
    curvist::advance_to_next_record(input);
    curvist::advance_to_next_record(input);
    std::array<double, 2> point{};
    double sum = 0;
    for (int index = 0; index < curve_count * points_per_curve; ++index) {
      if (!curvist::read_reals(input, point)) state.SkipWithError("unreadable point");
      sum += point[1];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(content.size()));
  state.counters["points"] = curve_count * points_per_curve;
}
BENCHMARK(ParseMillionPoints)->Unit(benchmark::kMillisecond);

void ReadMillionPointFile(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("curvist-bench-" + std::to_string(getpid()) + ".dat");
  std::ofstream(path, std::ios::binary) << data_file();
  for (auto _ : state) {
    const auto file = curvist::read_plot_file(path.string());
    if (!file || file->points != points_per_curve) state.SkipWithError("file not read");
    benchmark::DoNotOptimize(file);
  }
  std::filesystem::remove(path);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(data_file().size()));
}
BENCHMARK(ReadMillionPointFile)->Unit(benchmark::kMillisecond);

}  // namespace
