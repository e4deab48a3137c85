#pragma once
// The fixed parts of a screen plot: frame, data mapping, axes with arrowheads, captions,
// ticks and tick labels, drawn through the current window operations.

#include "plot/ScreenLayout.hpp"
#include "text/TextField.hpp"

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
void draw_captions(const ScreenLayout& layout, const TextField<120>& x_caption,
                   const TextField<120>& y_caption);
void draw_ticks(const ScreenLayout& layout);

// Turns a caption into "log(caption)" for a logarithmic axis.
void mark_logarithmic(TextField<120>& caption);

}  // namespace curvist::plot
