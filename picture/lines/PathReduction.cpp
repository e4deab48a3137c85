#include "lines/PathReduction.hpp"

#include <algorithm>
#include <cmath>

namespace curvist {
namespace {

// The two kinds of run: points sharing a column and spreading across rows, and points
// sharing a row and spreading across columns.
struct AlongColumns {
  static double along(const DeviceCell& cell) { return cell.column; }
  static double across(const DeviceCell& cell) { return cell.row; }
};
struct AlongRows {
  static double along(const DeviceCell& cell) { return cell.row; }
  static double across(const DeviceCell& cell) { return cell.column; }
};

template <typename Axis, typename Run, typename HandOn>
void extend_run(Run& run, const GridPoint& point, HandOn&& hand_on_run) {
  if (run.open && Axis::along(point.cell) == Axis::along(run.first.cell)) {
    const double across = Axis::across(point.cell);
    // Strict comparisons: of equal extremes the first reached is kept.
    if (across < Axis::across(run.least.cell)) {
      run.least = point;
      run.least_at = run.length;
    }
    if (across > Axis::across(run.greatest.cell)) {
      run.greatest = point;
      run.greatest_at = run.length;
    }
    run.last = point;
    ++run.length;
    return;
  }
  if (run.open) hand_on_run(run);
  run.open = true;
  run.length = 1;
  run.first = run.least = run.greatest = run.last = point;
  run.least_at = run.greatest_at = 0;
}

}  // namespace

// Hands on the run's first point, its least and greatest across the run, and its last,
// each once and in the order the path visits them, but for the ends left out.
template <typename Next>
void PathReducer::hand_on(const Run& run, LeftOut left_out, Next&& next) {
  const std::size_t last_at = run.length - 1;
  if (!left_out.first) next(run.first);
  const bool least_earlier = run.least_at < run.greatest_at;
  const GridPoint& earlier = least_earlier ? run.least : run.greatest;
  const GridPoint& later = least_earlier ? run.greatest : run.least;
  const std::size_t earlier_at = least_earlier ? run.least_at : run.greatest_at;
  const std::size_t later_at = least_earlier ? run.greatest_at : run.least_at;
  if (earlier_at != 0 && earlier_at != last_at) next(earlier);
  if (later_at != 0 && later_at != last_at && later_at != earlier_at) next(later);
  if (last_at != 0 && !left_out.last) next(run.last);
}

void PathReducer::add_to_column_run(const GridPoint& point) {
  final_ = point;
  extend_run<AlongColumns>(column_run_, point, [this](const Run& run) { add_column_run(run); });
}

void PathReducer::add_column_run(const Run& run) {
  const StepLeftOut step =
      finished_column_run_.open ? straighter_step(finished_column_run_, run) : StepLeftOut{};
  if (finished_column_run_.open)
    hand_on(finished_column_run_, {finished_run_first_left_out_, step.last_of_run},
            [this](const GridPoint& kept) { add_to_row_run(kept); });
  finished_column_run_ = run;
  finished_run_first_left_out_ = step.first_of_next;
}

// Which of the two points of the path's step from `run` to `next`, in the column beside
// it, may be left out, the step then taken straight from the point before to the point
// after: the last point of the one run, the first of the other, or both. Each step, the
// path's own and the straight one, must cross from column to column within the rows both
// runs cover, a cell short of their ends, so that it passes only through cells the runs'
// own lines from lowest to highest pass through. A point left out is no extreme of its
// run, and the straight step starts and ends at points no other step leaves out.
PathReducer::StepLeftOut PathReducer::straighter_step(const Run& run, const Run& next) const {
  const double from_column = run.first.cell.column, to_column = next.first.cell.column;
  if (std::fabs(to_column - from_column) != 1) return {};
  const std::size_t run_last = run.length - 1, next_last = next.length - 1;
  const bool last_may_go = run_last > 0 && run.least_at != run_last && run.greatest_at != run_last;
  const bool first_may_go = next_last > 0 && next.least_at != 0 && next.greatest_at != 0;
  if (!last_may_go && !first_may_go) return {};

  const double low = std::max(run.least.cell.row, next.least.cell.row) + 1;
  const double high = std::min(run.greatest.cell.row, next.greatest.cell.row) - 1;
  const double edge = grid_.edge_after(std::min(from_column, to_column));
  const auto crosses_within = [&](const GridPoint& from, const GridPoint& to) {
    const double across = to.at.column - from.at.column;
    if (across == 0) return false;
    const double row = from.at.row + (to.at.row - from.at.row) * (edge - from.at.column) / across;
    return row >= low && row <= high;
  };
  if (!crosses_within(run.last, next.first)) return {};
  // The point before the run's last, and the point after the next run's first, when
  // they are extremes handed on for certain.
  const std::size_t before_at = std::max(run.least_at, run.greatest_at);
  const std::size_t after_at = std::min(next.least_at, next.greatest_at);
  const GridPoint* before = before_at > 0 && before_at < run_last
                                ? (before_at == run.least_at ? &run.least : &run.greatest)
                                : nullptr;
  const GridPoint* after = after_at > 0 && after_at < next_last
                               ? (after_at == next.least_at ? &next.least : &next.greatest)
                               : nullptr;
  const bool last_goes = last_may_go && before != nullptr;
  const bool first_goes = first_may_go && after != nullptr;
  if (last_goes && first_goes && crosses_within(*before, *after)) return {true, true};
  if (last_goes && crosses_within(*before, next.first)) return {true, false};
  if (first_goes && crosses_within(run.last, *after)) return {false, true};
  return {};
}

void PathReducer::add_to_row_run(const GridPoint& point) {
  extend_run<AlongRows>(row_run_, point, [this](const Run& run) {
    hand_on(run, {}, [this](const GridPoint& kept) { keep(kept); });
  });
}

// A point in the cell of the point kept before it adds nothing the device can show.
void PathReducer::keep(const GridPoint& point) {
  if (kept_x_.size() > start_ && point.cell == last_kept_) {
    last_left_out_ = true;
    return;
  }
  kept_x_.push_back(point.x);
  kept_y_.push_back(point.y);
  last_kept_ = point.cell;
  last_left_out_ = false;
}

void PathReducer::end() {
  if (column_run_.open) add_column_run(column_run_);
  if (finished_column_run_.open)
    hand_on(finished_column_run_, {finished_run_first_left_out_, false},
            [this](const GridPoint& kept) { add_to_row_run(kept); });
  if (row_run_.open) hand_on(row_run_, {}, [this](const GridPoint& kept) { keep(kept); });
  column_run_.open = false;
  finished_column_run_.open = false;
  row_run_.open = false;
  // The last point handed on is the polyline's own last point. When it shared its cell
  // with the point before, the line still ends exactly where it was asked to end.
  if (last_left_out_) {
    if (kept_x_.size() - start_ >= 2) {
      kept_x_.back() = final_.x;
      kept_y_.back() = final_.y;
    } else {
      kept_x_.push_back(final_.x);
      kept_y_.push_back(final_.y);
    }
    last_left_out_ = false;
  }
  start_ = kept_x_.size();
}

}  // namespace curvist
