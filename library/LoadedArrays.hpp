#pragma once
// Screen plots of the curves of a file the library read itself (LOADPLOT's), for
// LoadPlot.cpp; defined in Plot.cpp. Nobody changes those arrays once the plot is drawn,
// so a window that keeps the plot to draw it again keeps them rather than a copy of the
// points. Part of the library's code, not of its interface.

#include <memory>
#include <optional>
#include <string_view>

#include "array/ColumnMajorView.hpp"

namespace curvist::PLOTPACK {

// The curves and captions of a file, what keeps its arrays alive and unchanged (null: a
// plot kept for redrawing copies the points), and the file they were read from, after
// which files saved of the window are named (empty: after the title).
struct LoadedCurves {
  ColumnMajorView<const double> x;
  ColumnMajorView<const double> y;
  std::string_view x_caption;
  std::string_view y_caption;
  std::string_view title;
  std::shared_ptr<const void> arrays;
  std::string_view data_file = {};
};

// PLOTDP laid out to a new window of its own (RESOLUTION 0 and OWNWINDOW). The unit of
// that window; nothing when the plot is skipped (an axis without a range).
std::optional<int> plot_in_new_window(const LoadedCurves& curves);

// The same plot drawn into the window of `unit` in place of what it shows: the window
// then shows what a fresh plot shows in a new window of its present size, under the
// title that plot gives it, and follows its size with the new plot. No window is opened
// or focused, the window counter stays, and nothing is written to the console. A window
// the user zoomed into goes on showing the same part of the new data. False
// when nothing is drawn: the plot is skipped, or the unit's window is not shown (the user
// closed it).
bool replot_window(int unit, const LoadedCurves& curves);

}  // namespace curvist::PLOTPACK
