#pragma once
// Module PLOTPACK: curves drawn into a graphics window on screen, with a frame, axes,
// ticks, tick labels and captions of its own fitted to the window's pixel size.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <curvist/Export.hpp>
#include "array/ColumnMajorView.hpp"
#include "text/TextField.hpp"

namespace curvist::PLOTPACK {

// Options of the curve-matrix operations; an absent one takes its default, a present
// one is used as passed, even when blank.
struct ScreenPlotOptions {
  std::optional<bool> JOIN = std::nullopt;                // true
  std::optional<bool> LOGX = std::nullopt;                // false
  std::optional<bool> LOGY = std::nullopt;                // false
  std::optional<int> RESOLUTION = std::nullopt;           // 1
  std::optional<std::string_view> XLABEL = std::nullopt;  // "x"
  std::optional<std::string_view> YLABEL = std::nullopt;  // "y"
  std::optional<std::string_view> TITLE = std::nullopt;   // "Representation of y=y(x)"
  std::optional<bool> OWNWINDOW = std::nullopt;  // false: draw in the active window, wait for Enter
  std::optional<bool> REUSEWINDOW = std::nullopt;  // false
};

// Options of the curve-list operations: NCURVES comes last.
struct ScreenListPlotOptions {
  std::optional<bool> JOIN = std::nullopt;
  std::optional<bool> LOGX = std::nullopt;
  std::optional<bool> LOGY = std::nullopt;
  std::optional<int> RESOLUTION = std::nullopt;
  std::optional<std::string_view> XLABEL = std::nullopt;
  std::optional<std::string_view> YLABEL = std::nullopt;
  std::optional<std::string_view> TITLE = std::nullopt;
  std::optional<bool> OWNWINDOW = std::nullopt;
  std::optional<bool> REUSEWINDOW = std::nullopt;
  std::optional<int> NCURVES = std::nullopt;  // 1
};

using TextField120 = TextField<120>;

// Removes the escape pairs \u, \d and \g from a blank-padded field, in place.
CURVIST_EXPORT void PURGE(std::span<char> text);

// Gets the window, sizes the drawing area, widens the limits, draws frame, axes with
// arrowheads, ticks, tick labels and captions, and leaves the mapping set for drawing
// in data units. The caption fields are changed in place.
CURVIST_EXPORT void PREPARESCREEN(double& xmin, double& xmax, double& ymin, double& ymax, bool JOIN,
                                  bool LOGX, bool LOGY, int RESOLUTION, TextField120& x_caption,
                                  TextField120& y_caption, TextField120& title, bool OWNWINDOW,
                                  bool REUSEWINDOW);

// Leaves an own window open; otherwise waits for Enter and returns to text mode.
CURVIST_EXPORT void KILLSCREEN(bool OWNWINDOW);

CURVIST_EXPORT void PLOTDP(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
                           const ScreenPlotOptions& options = {});
CURVIST_EXPORT void PLOTSP(ColumnMajorView<const float> X, ColumnMajorView<const float> Y,
                           const ScreenPlotOptions& options = {});
CURVIST_EXPORT void PLOTLISTDP(std::span<const double> X, std::span<const double> Y,
                               const ScreenListPlotOptions& options = {});
CURVIST_EXPORT void PLOTLISTSP(std::span<const float> X, std::span<const float> Y,
                               const ScreenListPlotOptions& options = {});

// Why the plot operations draw nothing for these values, in words ("all x values are 1.5:
// no range to plot over"); empty when they give a plot. X and Y are the whole arrays an
// operation takes its limits from (a matrix's elements, or the lists).
CURVIST_EXPORT std::string why_no_plot(std::span<const double> X, std::span<const double> Y,
                                       bool LOGX = false, bool LOGY = false);
CURVIST_EXPORT std::string why_no_plot(std::span<const float> X, std::span<const float> Y,
                                       bool LOGX = false, bool LOGY = false);

// The unit of the last window PREPARESCREEN opened on the current platform's windows;
// 100 before the first.
CURVIST_EXPORT int window_counter();

}  // namespace curvist::PLOTPACK
