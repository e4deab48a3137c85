#include "lines/ReducedLine.hpp"

#include <algorithm>
#include <cmath>

#include "lines/PathReduction.hpp"

namespace curvist {
namespace {

// giza strokes every piece on its own, and cairo keeps the state of each stroke for the
// whole page: a piece costs about as much as this many points of a line.
constexpr std::size_t piece_cost_in_points = 4;

GridPoint on_grid(const DeviceGrid& grid, float x, float y) {
  const CellPosition at = grid.position(x, y);
  return {x, y, grid.cell(at), at};
}

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
  PathReducer reducer(pieces.x, pieces.y, grid);
  for (std::size_t i = 0; i < x.size(); ++i) reducer.add(on_grid(grid, x[i], y[i]));
  reducer.end();
  pieces.ends.push_back(pieces.x.size());
}

namespace {

// A path whose dashes end more often than this many times a point of it is one that no
// reduction helps (a point far off the page, say, would take more dashes than there are
// atoms): it is left to giza as soon as it is found to be one.
constexpr std::size_t dash_ends_per_point = 64;

// Where a dash or a gap ends inside the segment that ends at point `i`, `t` of the way
// along it: the same point however often it is found.
GridPoint inside_segment(const DeviceGrid& grid, std::span<const float> x, std::span<const float> y,
                         std::size_t i, double t) {
  return on_grid(grid, static_cast<float>(x[i - 1] + (x[i] - x[i - 1]) * t),
                 static_cast<float>(y[i - 1] + (y[i] - y[i - 1]) * t));
}

// What is wanted of a segment's dashes: every end inside it, only the last one (and the
// segment's end), or nothing more of the line.
enum class Ends { every, last, stop };

// The length of each segment of the path as the renderer measures it: `lengths[i]` for
// the one that ends at point `i`.
void measure_segments(std::span<const float> x, std::span<const float> y,
                      const RendererGrid& renderer, std::vector<double>& lengths) {
  lengths.resize(x.size());
  double from_x = renderer.x(x[0]), from_y = renderer.y(y[0]);
  for (std::size_t i = 1; i < x.size(); ++i) {
    const double to_x = renderer.x(x[i]), to_y = renderer.y(y[i]);
    // Plainly, not with hypot(): far quicker, and as exact for lengths of a page.
    lengths[i] = std::sqrt((to_x - from_x) * (to_x - from_x) + (to_y - from_y) * (to_y - from_y));
    from_x = to_x;
    from_y = to_y;
  }
}

// The dashes laid along the path of segments `lengths` long where the renderer lays them,
// one segment after another. `segment(i)` is told of each segment (the one that ends at
// point `i`) and says which ends are wanted; `end(i, t, on)` is told of each, `t` the
// fraction of the segment walked to it (1 for the segment's end), `on` when the element
// that ends there is a dash. False when a length is no number, the dashes end too often,
// or `segment` says stop.
template <typename Segment, typename End>
bool walk_dashes(std::span<const double> lengths, const DashPattern& pattern, Segment&& segment,
                 End&& end) {
  const std::size_t most_ends = dash_ends_per_point * lengths.size() + 1024;
  std::size_t ends = 0;
  DashPosition dash = starting_position(pattern);
  for (std::size_t i = 1; i < lengths.size(); ++i) {
    const double length = lengths[i];
    if (!std::isfinite(length)) return false;
    const Ends wanted = segment(i);
    if (wanted == Ends::stop) return false;
    const bool every_end = wanted == Ends::every;
    // Every end of a dash or a gap inside this segment, found as the renderer finds it.
    double walked = 0;
    double last_end = -1;
    while (length - walked > dash.left) {
      walked += dash.left;
      if (++ends > most_ends) return false;
      if (every_end) end(i, walked / length, dash.on());
      last_end = walked;
      if (++dash.element == pattern.count) dash.element = 0;
      dash.left = pattern.lengths[dash.element];
    }
    dash.left -= length - walked;
    if (!every_end && last_end >= 0) end(i, last_end / length, !dash.on());
    end(i, 1.0, dash.on());
  }
  return true;
}

// cairo's default mitre limit: a join whose mitre would reach further than this many
// half line widths past its point is bevelled instead.
constexpr double mitre_limit = 10;

// How far out the join drawn at the point `i` of the path reaches, in cells, for a line
// `half_width` cells wide on either side: on the outside of the turn, a mitre reaches half
// the width over the sine of half the angle between the two segments; a bevel (where
// the mitre would be too long) only the sine times half the width.
DeviceCell join_tip(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                    std::size_t i, double half_width) {
  const WorldToDevice& cells = grid.to_cells;
  const DeviceCell point = grid.cell(x[i], y[i]);
  const double at_x = cells.x(x[i]), at_y = cells.y(y[i]);
  double in_x = cells.x(x[i - 1]) - at_x, in_y = cells.y(y[i - 1]) - at_y;
  double out_x = cells.x(x[i + 1]) - at_x, out_y = cells.y(y[i + 1]) - at_y;
  const double in_length = std::sqrt(in_x * in_x + in_y * in_y);
  const double out_length = std::sqrt(out_x * out_x + out_y * out_y);
  if (!(in_length > 0 && out_length > 0)) return point;
  in_x /= in_length, in_y /= in_length, out_x /= out_length, out_y /= out_length;
  const double cosine = std::clamp(in_x * out_x + in_y * out_y, -1.0, 1.0);
  const double half_angle_sine = std::sqrt((1 - cosine) / 2);
  // The line goes straight on: the join adds nothing.
  if (cosine <= -1 + 1e-12) return point;
  const bool mitred = half_angle_sine * mitre_limit >= 1;
  const double length = mitred ? half_width / half_angle_sine : half_width * half_angle_sine;
  // Away from both segments: against the sum of their directions from the point.
  const double away_x = -(in_x + out_x), away_y = -(in_y + out_y);
  const double away = std::sqrt(away_x * away_x + away_y * away_y);
  return {std::nearbyint(at_x + away_x / away * length),
          std::nearbyint(at_y + away_y / away * length)};
}

// The cells the line's points lie in.
bool start_inked_cells(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                       double half_width, InkedCells& inked) {
  float low_x = x[0], high_x = x[0], low_y = y[0], high_y = y[0];
  for (std::size_t i = 0; i < x.size(); ++i) {
    low_x = std::min(low_x, x[i]);
    high_x = std::max(high_x, x[i]);
    low_y = std::min(low_y, y[i]);
    high_y = std::max(high_y, y[i]);
  }
  const DeviceCell one = grid.cell(low_x, low_y), other = grid.cell(high_x, high_y);
  return inked.start({std::min(one.column, other.column), std::min(one.row, other.row)},
                     {std::max(one.column, other.column), std::max(one.row, other.row)},
                     half_width);
}

// Hands the dashes of a line to the reducer as pieces, a gap that is hidden whole drawn
// as line with the dashes on either side.
class DashedPieces {
 public:
  DashedPieces(SolidPieces& pieces, const DeviceGrid& grid, const GridPoint& start)
      : pieces_(pieces), reducer_(pieces.x, pieces.y, grid), last_(start) {
    pieces_.gap.clear();
  }

  // The path goes on to `point` in a dash.
  void inked_to(const GridPoint& point) {
    if (gap_open_) {
      if (in_piece_ && gap_hidden_) {
        for (const GridPoint& inside : pieces_.gap) reducer_.add(inside);
      } else {
        if (in_piece_) end_piece();
        // The next dash begins where the gap ended.
        reducer_.add(last_);
        in_piece_ = true;
      }
      gap_open_ = false;
      pieces_.gap.clear();
    } else if (!in_piece_) {
      reducer_.add(last_);
      in_piece_ = true;
    }
    reducer_.add(point);
    last_ = point;
  }

  // The path goes on to `point` in a gap; `hidden` when that step of it would not show.
  void gap_to(const GridPoint& point, bool hidden) {
    if (!gap_open_) {
      gap_open_ = true;
      gap_hidden_ = true;
    }
    gap_hidden_ = gap_hidden_ && hidden;
    pieces_.gap.push_back(point);
    last_ = point;
  }

  // Whether a segment wholly under ink may be handed on without its dashes: everything
  // in it is drawn as line, whatever is open.
  bool may_pass_hidden_segment() const { return in_piece_ && (!gap_open_ || gap_hidden_); }

  // A gap at the end shows nothing, hidden or not.
  void end() {
    if (in_piece_) end_piece();
  }

  std::size_t cost() const { return pieces_.x.size() + piece_cost_in_points * pieces_.ends.size(); }

 private:
  void end_piece() {
    reducer_.end();
    pieces_.ends.push_back(pieces_.x.size());
    in_piece_ = false;
  }

  SolidPieces& pieces_;
  PathReducer reducer_;
  GridPoint last_;
  bool in_piece_ = false;
  bool gap_open_ = false;
  bool gap_hidden_ = true;
};

}  // namespace

bool reduce_dashed_line(std::span<const float> x, std::span<const float> y, const DeviceGrid& grid,
                        const RendererGrid& renderer, const DashPattern& pattern,
                        double half_width_cells, SolidPieces& pieces) {
  pieces.clear();
  if (x.empty() || !usable(pattern)) return false;

  // First where the dashes ink, then the pieces, with what the first found.
  measure_segments(x, y, renderer, pieces.lengths);
  InkedCells& inked = pieces.inked;
  if (start_inked_cells(x, y, grid, half_width_cells, inked)) {
    DeviceCell piece_start = grid.cell(x[0], y[0]);
    const bool walked = walk_dashes(
        pieces.lengths, pattern, [](std::size_t) { return Ends::every; },
        [&](std::size_t i, double t, bool on) {
          const DeviceCell end =
              t == 1.0 ? grid.cell(x[i], y[i]) : inside_segment(grid, x, y, i, t).cell;
          if (on) inked.ink(piece_start, end);
          piece_start = end;
        });
    if (!walked) return false;
    inked.settle();
  }

  // Pieces that cost giza less than the polyline (which it would dash itself, at more
  // than a point's cost a point) are worth it.
  const std::size_t budget = x.size();
  GridPoint from = on_grid(grid, x[0], y[0]);
  GridPoint to = from;
  DashedPieces dashed(pieces, grid, from);
  bool passed_hidden = false;  // the segment is drawn as line whole
  const bool walked = walk_dashes(
      pieces.lengths, pattern,
      [&](std::size_t i) {
        if (dashed.cost() > budget) return Ends::stop;
        from = to;
        to = on_grid(grid, x[i], y[i]);
        passed_hidden = dashed.may_pass_hidden_segment() && inked.hides(from.cell, to.cell);
        return passed_hidden ? Ends::last : Ends::every;
      },
      [&](std::size_t i, double t, bool on) {
        const GridPoint end = t == 1.0 ? to : inside_segment(grid, x, y, i, t);
        if (on) {
          dashed.inked_to(end);
        } else {
          // Only the last end inside a hidden segment, and its end, come here from one.
          bool hidden = passed_hidden || inked.hides(from.cell, end.cell);
          // A point of the path inside a gap has no join; drawn as line, the gap gains
          // one there, which must reach no ink that is not there already.
          if (hidden && t == 1.0 && i + 1 < x.size())
            hidden = inked.inks_join(end.cell, join_tip(x, y, grid, i, half_width_cells));
          dashed.gap_to(end, hidden);
        }
        from = end;
      });
  if (!walked) return false;
  dashed.end();
  return dashed.cost() <= budget;
}

}  // namespace curvist
