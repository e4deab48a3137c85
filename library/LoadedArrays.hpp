#pragma once
// PLOTDP of arrays the library read itself (LOADPLOT's): nobody changes them once the
// plot is drawn, so a window that keeps the plot to draw it again at a new size keeps
// these arrays rather than a copy of the points. Part of the library's code, not of its
// interface.

#include <memory>
#include <string_view>

#include "Plot.hpp"

namespace curvist::PLOTPACK {

// PLOTDP; `arrays` keeps X and Y alive for as long as anything holds it. Files saved of
// the window are named after `data_file`, the file they were read from.
void plot_loaded_arrays(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
                        const ScreenPlotOptions& options, std::shared_ptr<const void> arrays,
                        std::string_view data_file);

}  // namespace curvist::PLOTPACK
