#pragma once
// What the layer hands giza in place of one polyline: the same line at the device's
// resolution in fewer points, as one or more pieces of full line.

#include <cstddef>
#include <span>
#include <vector>

#include "lines/DashPattern.hpp"
#include "lines/DeviceGrid.hpp"

namespace curvist {

struct SolidPieces {
  std::vector<float> x;  // the points of every piece, one piece after another
  std::vector<float> y;
  std::vector<std::size_t> ends;  // each piece ends before the point its entry names

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
// them (lengths measured on `renderer`), each dash a piece of full line, reduced on
// `grid`. A path that turns more often than its dashes end gains nothing from this: false
// when the pieces would cost giza more than half of what the polyline costs as it is
// (then `pieces` holds nothing of use).
bool reduce_dashed_line(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                        const RendererGrid& renderer, const DashPattern& pattern,
                        SolidPieces& pieces);

}  // namespace curvist
