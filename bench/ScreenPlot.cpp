// The screen plotter's own cost per point: a million-point curve drawn by PLOTDP through
// window operations that only count what they are asked to do.

#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "Plot.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/WindowOperations.hpp"

namespace {

class CountingWindows final : public curvist::WindowOperations {
 public:
  long long calls = 0;
  int open_window(int, std::string_view, std::string_view) override { return count(0); }
  void focus_window(int) override { count(); }
  void initialise_fonts() override { count(); }
  void select_font(std::string_view) override { count(); }
  curvist::FontInfo get_font_info() override { return count(curvist::FontInfo{8, 12}); }
  curvist::WindowSize query_window_size(int) override {
    return count(curvist::WindowSize{100, 40});
  }
  void clear_screen(int) override { count(); }
  void set_colour(int) override { count(); }
  void draw_rectangle(curvist::RectangleControl, std::int16_t, std::int16_t, std::int16_t,
                      std::int16_t) override {
    count();
  }
  void set_viewport(std::int16_t, std::int16_t, std::int16_t, std::int16_t) override { count(); }
  void set_window_mapping(bool, double, double, double, double) override { count(); }
  void move_to(double, double) override { count(); }
  void line_to(double, double) override { count(); }
  void set_pixel(double, double) override { count(); }
  void draw_text(std::string_view) override { count(); }
  void set_text_colour(int) override { count(); }
  void set_text_mode(int) override { count(); }

 private:
  void count() { ++calls; }
  template <typename Result>
  Result count(Result result) {
    ++calls;
    return result;
  }
};

void BM_PlotdpMillionPoints(benchmark::State& state) {
  const std::size_t points = static_cast<std::size_t>(state.range(0));
  std::vector<double> x(points), y(points);
  for (std::size_t index = 0; index < points; ++index) {
    x[index] = static_cast<double>(index);
    y[index] = std::sin(static_cast<double>(index) * 1e-3);
  }
  std::ostringstream unused;
  curvist::RecordingConsole console(unused);
  curvist::RecordingPgplot pgplot(unused);
  CountingWindows windows;
  curvist::ScopedPlatform scope({console, pgplot, windows});
  for (auto _ : state) {
    curvist::PLOTPACK::PLOTDP({x.data(), points, 1}, {y.data(), points, 1},
                              {.JOIN = true,
                               .LOGX = false,
                               .LOGY = false,
                               .RESOLUTION = 1,
                               .XLABEL = "x",
                               .YLABEL = "y",
                               .TITLE = "t",
                               .OWNWINDOW = true,
                               .REUSEWINDOW = false});
  }
  benchmark::DoNotOptimize(windows.calls);
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(points));
}
BENCHMARK(BM_PlotdpMillionPoints)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
