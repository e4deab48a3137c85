#include "lines/ReducedLine.hpp"

#include <cmath>

#include "lines/PathReduction.hpp"

namespace curvist {
namespace {

// giza strokes every piece on its own, and cairo keeps the state of each stroke for the
// whole page: a piece costs about as much as this many points of a line.
constexpr std::size_t piece_cost_in_points = 4;

GridPoint on_grid(const DeviceGrid& grid, float x, float y) { return {x, y, grid.cell(x, y)}; }

// Where the pattern stands at the start of the path, as cairo finds it: the element the
// offset falls in, and how much of that element is left.
struct DashPosition {
  std::size_t element = 0;
  double left = 0;
  bool on() const { return element % 2 == 0; }
};

DashPosition starting_position(const DashPattern& pattern) {
  DashPosition position;
  double offset = pattern.offset;
  while (offset > 0 && offset >= pattern.lengths[position.element]) {
    offset -= pattern.lengths[position.element];
    position.element = (position.element + 1) % pattern.count;
  }
  position.left = pattern.lengths[position.element] - offset;
  return position;
}

bool usable(const DashPattern& pattern) {
  if (pattern.full() || pattern.count % 2 != 0) return false;
  for (std::size_t i = 0; i < pattern.count; ++i)
    if (!(pattern.lengths[i] > 0) || !std::isfinite(pattern.lengths[i])) return false;
  return std::isfinite(pattern.offset) && pattern.offset >= 0;
}

}  // namespace

void reduce_full_line(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                      SolidPieces& pieces) {
  pieces.clear();
  PathReducer reducer(pieces.x, pieces.y);
  for (std::size_t i = 0; i < x.size(); ++i) reducer.add(on_grid(grid, x[i], y[i]));
  reducer.end();
  pieces.ends.push_back(pieces.x.size());
}

bool reduce_dashed_line(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                        const RendererGrid& renderer, const DashPattern& pattern,
                        SolidPieces& pieces) {
  pieces.clear();
  if (x.empty() || !usable(pattern)) return false;
  const std::size_t budget = x.size() / 2;
  const auto over_budget = [&] {
    return pieces.x.size() + piece_cost_in_points * pieces.ends.size() > budget;
  };
  PathReducer reducer(pieces.x, pieces.y);
  const auto end_piece = [&] {
    reducer.end();
    pieces.ends.push_back(pieces.x.size());
  };

  DashPosition dash = starting_position(pattern);
  if (dash.on()) reducer.add(on_grid(grid, x[0], y[0]));
  double from_x = renderer.x(x[0]), from_y = renderer.y(y[0]);
  for (std::size_t i = 1; i < x.size(); ++i) {
    const double to_x = renderer.x(x[i]), to_y = renderer.y(y[i]);
    // Plainly, not with hypot(): far quicker, and as exact for lengths of a page.
    const double length =
        std::sqrt((to_x - from_x) * (to_x - from_x) + (to_y - from_y) * (to_y - from_y));
    if (!std::isfinite(length)) return false;
    // Every end of a dash or a gap inside this segment, found as the renderer finds it.
    double walked = 0;
    while (length - walked > dash.left) {
      walked += dash.left;
      const double t = walked / length;
      const GridPoint boundary = on_grid(grid, static_cast<float>(x[i - 1] + (x[i] - x[i - 1]) * t),
                                         static_cast<float>(y[i - 1] + (y[i] - y[i - 1]) * t));
      reducer.add(boundary);
      if (dash.on()) {
        end_piece();
        if (over_budget()) return false;
      }
      dash.element = (dash.element + 1) % pattern.count;
      dash.left = pattern.lengths[dash.element];
    }
    dash.left -= length - walked;
    if (dash.on()) reducer.add(on_grid(grid, x[i], y[i]));
    from_x = to_x;
    from_y = to_y;
  }
  if (dash.on()) end_piece();
  return !over_budget();
}

}  // namespace curvist
