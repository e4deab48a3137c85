#pragma once
// The tick marks of both axes of a screen plot, each labelled but the one at the crossing.

#include "plot/ScreenLayout.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::plot {

void draw_ticks(WindowOperations& windows, const ScreenLayout& layout);

}  // namespace curvist::plot
