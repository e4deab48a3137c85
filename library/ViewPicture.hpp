#pragma once
// The picture of a part of a plot's data the user chose in its window: PGPLOTDP's
// picture of the curves, laid out for the view's range instead of the data's. Part of
// the library's code, not of its interface.

#include "array/CurveRuns.hpp"
#include "window/RedrawablePlot.hpp"

namespace curvist::PGPLOTPACK {

// The options of PGPLOTDP (PgPlot.hpp): the caller has them whole.
struct FilePlotOptions;

// Written through the current platform's PGPLOT, its " Output in " line on its console.
template <typename Element>
void picture_of_view(const CurveRuns<Element>& curves, const FilePlotOptions& options,
                     const PlotView& view);

}  // namespace curvist::PGPLOTPACK
