#pragma once
// Plots drawn as the program draws them, into offscreen windows of a 1280 by 1024 screen,
// with the console, the error lines and PGPLOT recorded (no picture is written): what the windows
// of a run must show. Also the data files such tests plot, and how two window surfaces differ.

#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "LoadPlot.hpp"
#include "RecordedTrace.hpp"
#include "TemporaryFolder.hpp"
#include "console/RecordingConsole.hpp"
#include "console/RecordingErrorStream.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/OffscreenWindows.hpp"

namespace curvist::testing {

struct ClientSize {
  int width = 0;
  int height = 0;
};

// Installed as the platform for as long as it lives: a run of its own.
class OffscreenRun {
 public:
  // new_windows: the client size windows open at, instead of 80% of the screen.
  explicit OffscreenRun(std::optional<ClientSize> new_windows = std::nullopt) {
    if (new_windows) windows.set_new_window_size(new_windows->width, new_windows->height);
  }

  // The console and PGPLOT lines recorded since the last call.
  std::vector<std::string> new_lines() {
    const auto lines = lines_of(trace_.str());
    trace_.str("");
    return lines;
  }

  // The error lines written since the last call, each with its line end.
  std::string new_errors() {
    const std::string text = errors_.str();
    errors_.str("");
    return text;
  }

  OffscreenWindows windows{ScreenSize{1280, 1024}};

 private:
  std::ostringstream trace_;
  RecordingConsole console_{trace_};
  RecordingPgplot pgplot_{trace_};
  std::ostringstream errors_;
  RecordingErrorStream error_stream_{errors_};
  ScopedPlatform platform_{{console_, pgplot_, windows, error_stream_}};
};

// The pixels that differ between two surfaces; -1 when their sizes differ.
inline long differing_pixels(const PixelSurface& one, const PixelSurface& other) {
  if (one.width() != other.width() || one.height() != other.height()) return -1;
  long differing = 0;
  for (int y = 0; y < one.height(); ++y)
    for (int x = 0; x < one.width(); ++x) differing += one.at(x, y) != other.at(x, y) ? 1 : 0;
  return differing;
}

// The first window of a fresh run that plots `data` as a file of its own, opened at `size`.
inline std::unique_ptr<PixelSurface> fresh_plot_of(const std::string& data, ClientSize size) {
  TemporaryFolder folder;
  folder.write("fresh.dat", data);
  const ScopedCurrentFolder inside(folder.path());
  OffscreenRun run(size);
  LOADPLOTPACK::LOADPLOT("fresh.dat");
  return std::move(run.windows.unit(first_plot_window_unit)->surface);
}

// A data file of one curve of `points` points, y = amplitude * sin(x), titled so.
inline std::string wave_data(double amplitude, std::string_view title, int points = 60) {
  std::ostringstream text;
  text << "-1\n" << points << '\n';
  for (int point = 0; point < points; ++point) {
    const double x = point * 0.1;
    text << x << ' ' << amplitude * std::sin(x) << '\n';
  }
  text << "x (m)\ny (V)\n" << title << '\n';
  return text.str();
}

}  // namespace curvist::testing
