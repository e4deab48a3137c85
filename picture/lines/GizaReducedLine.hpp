#pragma once
// Hands giza a polyline in fewer points where the device shows the same line: a full
// line as the points that draw it at the device's resolution (a thousandth of an inch on
// PostScript, PDF and SVG, the pixel on PNG and GIF), a dashed or dotted one as its
// dashes, each a reduced piece of full line. Working out the pieces asks giza nothing, so
// it can go on while giza draws the line before.

#include <span>

#include "devices/DeviceTable.hpp"
#include "lines/DashPattern.hpp"
#include "lines/DeviceGrid.hpp"
#include "lines/ReducedLine.hpp"

namespace curvist {

// What the pieces of a line depend on in giza's open picture. It changes only with the
// page, the viewport, the window, the character height and the line width.
struct GizaLineGeometry {
  DeviceGrid grid;
  RendererGrid renderer;
  GizaDashSizes dash_sizes;
  double half_width_cells;  // half the line's width in cells of `grid`
};

// Asks giza's open picture of `device`.
GizaLineGeometry giza_line_geometry(const DeviceKind& device);

// The pieces of the polyline in giza's line style `giza_style`; `pieces` is working
// storage. False when the line is better handed to giza as it is.
bool reduce_line(const GizaLineGeometry& geometry, int giza_style, std::span<const float> x,
                 std::span<const float> y, SolidPieces& pieces);

// Draws the pieces as full lines, and leaves giza in `giza_style`, the style they were
// laid out for.
void draw_line_pieces(const SolidPieces& pieces, int giza_style);

}  // namespace curvist
