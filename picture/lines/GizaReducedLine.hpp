#pragma once
// Hands giza a polyline in fewer points where the device shows the same line: a full
// line as the points that draw it at the device's resolution (a thousandth of an inch on
// PostScript, PDF and SVG, the pixel on PNG and GIF), a dashed or dotted one as its
// dashes, each a reduced piece of full line.

#include <span>

#include "devices/DeviceTable.hpp"
#include "lines/ReducedLine.hpp"

namespace curvist {

// Draws the polyline on giza's open picture of `device`, where giza's line style
// `giza_style` is in effect; `pieces` is working storage. False, with nothing drawn, when
// the line is better handed to giza as it is.
bool draw_reduced_line(const DeviceKind& device, int giza_style, std::span<const float> x,
                       std::span<const float> y, SolidPieces& pieces);

}  // namespace curvist
