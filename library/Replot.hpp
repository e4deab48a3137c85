#pragma once
// Plots drawn again into the window that shows them, for a program that follows its data
// files: the counterparts of PLOTDP and LOADPLOT that draw into the window of a unit in
// place of its plot rather than into a new window. Part of the library's code, not of its
// interface.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Plot.hpp"

namespace curvist {

namespace PLOTPACK {

// PLOTDP laid out to its own window (RESOLUTION 0 and OWNWINDOW, whatever the options
// say of them, and REUSEWINDOW absent), drawn into the window of `unit` in place of what
// it shows: the window then shows what a fresh PLOTDP shows in a new window of its present
// size, under the title that plot gives it, and follows its size with the new plot. No
// window is opened or focused, the window counter stays, and nothing is written to the
// console. False when nothing is drawn: the plot is skipped (an axis without a range),
// or the unit's window is not shown (the user closed it). `arrays`, when given, keeps X
// and Y alive and unchanged from now on: the window keeps them rather than a copy; files
// saved of the window are named after `data_file` when given, else after the title. A
// window the user zoomed into goes on showing the same part of the new data.
bool replot_window(int unit, ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
                   const ScreenPlotOptions& options, std::shared_ptr<const void> arrays = nullptr,
                   std::string_view data_file = {});

}  // namespace PLOTPACK

namespace LOADPLOTPACK {

// LOADPLOT of a file whose plot a window shows already: the screen plot goes into the
// window of `unit` (replot_window) instead of a new one; the picture is written as
// LOADPLOT writes it, " Output in " and all, whether or not the window is still shown.
// why_not_read as for LOADPLOT.
void reload_plot(int unit, std::string_view name, std::string* why_not_read = nullptr);

}  // namespace LOADPLOTPACK

}  // namespace curvist
