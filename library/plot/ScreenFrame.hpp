#pragma once
// The fixed parts of a screen plot around its captions and ticks: frame, data mapping,
// axes with arrowheads, and the text set-up, drawn through the window operations.

#include "plot/ScreenLayout.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::plot {

// A new plot clears the window and draws a border; a reused one only paints the plot
// area of its viewport over.
void draw_frame(WindowOperations& windows, DrawingArea area, bool reuse_window);
// Viewport inside the frame, mapped to the window range with y growing upwards.
void set_mapping(WindowOperations& windows, const ScreenLayout& layout);
// Both axes with arrowheads, in the axis colour that stays current for the curves.
void draw_axes(WindowOperations& windows, const ScreenLayout& layout);
// The label font; texts are then drawn in the axis colour.
void set_up_text(WindowOperations& windows);

}  // namespace curvist::plot
