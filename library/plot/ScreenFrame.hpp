#pragma once
// The fixed parts of a screen plot around its captions and ticks: frame, data mapping,
// axes with arrowheads, and the text set-up, drawn through the current window operations.

#include "plot/ScreenLayout.hpp"

namespace curvist::plot {

// A new plot clears the window and draws a border; a reused one only paints the plot
// area of its viewport over.
void draw_frame(DrawingArea area, bool REUSEWINDOW);
// Viewport inside the frame, mapped to the window range with y growing upwards.
void set_mapping(const ScreenLayout& layout);
// Both axes with arrowheads, in the axis colour that stays current for the curves.
void draw_axes(const ScreenLayout& layout);
// The label font; texts are then drawn in the axis colour.
void set_up_text();

}  // namespace curvist::plot
