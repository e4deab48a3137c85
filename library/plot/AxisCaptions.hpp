#pragma once
// The two axis captions of a screen plot: the x caption above the end of the x axis, the
// y caption at the top of the y axis, on whichever side has room.

#include "plot/ScreenLayout.hpp"
#include "text/TextField.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::plot {

void draw_captions(WindowOperations& windows, const ScreenLayout& layout,
                   const TextField<120>& x_caption, const TextField<120>& y_caption);

// Turns a caption into "log(caption)" for a logarithmic axis.
void mark_logarithmic(TextField<120>& caption);

}  // namespace curvist::plot
