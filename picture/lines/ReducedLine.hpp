#pragma once
// What the layer hands giza in place of one polyline: the same line at the device's
// resolution in fewer points, as one or more pieces of full line.

#include <cstddef>
#include <span>
#include <vector>

#include "lines/DashPattern.hpp"
#include "lines/DeviceGrid.hpp"
#include "lines/HiddenGaps.hpp"
#include "lines/PathReduction.hpp"

namespace curvist {

struct SolidPieces {
  std::vector<float> x;  // the points of every piece, one piece after another
  std::vector<float> y;
  std::vector<std::size_t> ends;  // each piece ends before the point its entry names
  // Working storage for dashed lines: where their dashes ink, and the gap being walked.
  InkedCells inked;
  std::vector<GridPoint> gap;
  std::vector<double> lengths;

  void clear() {
    x.clear();
    y.clear();
    ends.clear();
  }
};

// A full line: one piece through the points that draw it at the resolution of `grid`.
void reduce_full_line(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                      SolidPieces& pieces);

// A dashed line: its dashes laid along the path where the renderer of the picture lays
// them (lengths measured on `renderer`), the gaps no device could show inked (see
// HiddenGaps.hpp; the line is `half_width_cells` cells of `grid` wide on either side),
// each run of dashes a piece of full line, reduced on `grid`. False when the pieces would
// still cost giza more than the polyline as it is (then `pieces` holds nothing of use).
bool reduce_dashed_line(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                        const RendererGrid& renderer, const DashPattern& pattern,
                        double half_width_cells, SolidPieces& pieces);

}  // namespace curvist
