#pragma once
// Test helpers for real pictures made through the PGPLOT layer over giza: a plot run
// with the console recorded and standard error caught, PostScript rendered with
// Ghostscript, and the pixels of a rendered page looked at.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "PgPlot.hpp"
#include "TemporaryFolder.hpp"
#include "console/RecordingConsole.hpp"
#include "console/RecordingErrorStream.hpp"
#include "devices/GifWriter.hpp"
#include "pgplot/PgplotLibrary.hpp"
#include "platform/Platform.hpp"
#include "window/RecordingWindows.hpp"

namespace curvist::testing {

struct RealRun {
  std::string console;  // the console trace
  std::string errors;   // the error lines
};

inline RealRun plot_for_real(const std::function<void()>& operation) {
  std::ostringstream trace;
  RecordingConsole console(trace);
  RecordingWindows windows(trace);
  std::ostringstream errors;
  RecordingErrorStream error_stream(errors);
  auto pgplot = make_pgplot_library(error_stream);
  {
    ScopedPlatform platform({console, *pgplot, windows, error_stream});
    operation();
  }
  pgplot.reset();
  return {trace.str(), errors.str()};
}

// A sine wave and a straight line, as a data file would give them.
struct TwoCurves {
  std::vector<double> x;
  std::vector<double> y;
  static constexpr std::size_t points = 200;
  TwoCurves() {
    for (std::size_t i = 0; i < points; ++i) x.push_back(0.05 * i);
    for (std::size_t i = 0; i < points; ++i) x.push_back(0.05 * i);
    for (std::size_t i = 0; i < points; ++i) y.push_back(std::sin(0.05 * i));
    for (std::size_t i = 0; i < points; ++i) y.push_back(-1 + 0.01 * i);
  }
  void plot(const PGPLOTPACK::FilePlotOptions& options) const {
    PGPLOTPACK::PGPLOTDP({x.data(), points, 2}, {y.data(), points, 2}, options);
  }
};

inline bool is_dark(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xff) < 100 && ((pixel >> 8) & 0xff) < 100 && (pixel & 0xff) < 100;
}
inline bool is_light(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xff) > 200 && ((pixel >> 8) & 0xff) > 200 && (pixel & 0xff) > 200;
}

// The pixels of a rectangle given in fractions of the image, that pass `test`.
inline int count_pixels(const RgbImage& image, double left, double top, double right, double bottom,
                        bool (*test)(std::uint32_t)) {
  int count = 0;
  for (int row = static_cast<int>(top * image.height); row < bottom * image.height; ++row)
    for (int column = static_cast<int>(left * image.width); column < right * image.width; ++column)
      count += test(image.pixels[static_cast<std::size_t>(row) * image.width + column]) ? 1 : 0;
  return count;
}

// The columns of the frame's left and right sides: the two outermost columns that are
// dark over more than a third of the image's height.
inline std::pair<int, int> frame_columns(const RgbImage& image, bool (*ink)(std::uint32_t)) {
  int left = -1, right = -1;
  for (int column = 0; column < image.width; ++column) {
    int dark = 0;
    for (int row = 0; row < image.height; ++row)
      dark += ink(image.pixels[static_cast<std::size_t>(row) * image.width + column]) ? 1 : 0;
    if (dark > image.height / 3) {
      if (left < 0) left = column;
      right = column;
    }
  }
  return {left, right};
}

inline RgbImage read_rendered(const std::string& png) {
  RgbImage image;
  const auto problem = read_png(png, image);
  EXPECT_FALSE(problem) << *problem;
  std::filesystem::remove(png);
  return image;
}

// The page as Ghostscript renders it at `dots_per_inch`.
inline RgbImage render_postscript(const std::string& name, int dots_per_inch = 72) {
  const std::string command = "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r" +
                              std::to_string(dots_per_inch) + " -sOutputFile=" + name + ".png " +
                              name + " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return read_rendered(name + ".png");
}

// The text a PostScript page shows, as Ghostscript reads it back (in UTF-8).
inline std::string postscript_text(const std::string& name) {
  const std::string command =
      "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=" + name + ".txt " + name +
      " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::string text = contents_of(name + ".txt");
  std::filesystem::remove(name + ".txt");
  return text;
}

// The PostScript without its creation date, which differs from run to run.
inline std::string postscript_body(const std::string& name) {
  std::string text = contents_of(name);
  const auto date = text.find("%%CreationDate");
  if (date != std::string::npos) text.erase(date, text.find('\n', date) - date);
  return text;
}

}  // namespace curvist::testing
