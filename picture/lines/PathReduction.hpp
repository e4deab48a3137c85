#pragma once
// Fewer points for a polyline, the same line at the device's resolution. Of each run of
// consecutive points that falls in one device column, the first, lowest, highest and last
// are kept, in path order (the M4 aggregation of time-series plotting): the line they
// draw covers that column from the run's lowest to its highest cell and leaves it where
// the run left it. Where the path steps into the next column inside the rows both runs
// cover, and would still do so taken straight from the one run's last extreme or to the
// next run's first, the step's own point or points there are left out too: the line
// passes through the same cells either way, and a noisy band keeps far fewer than four
// points a column.
// Runs in one device row are then thinned the same way, with leftmost and rightmost for
// lowest and highest. Only consecutive points are merged, so a path that doubles back
// keeps every visit; the first and the last point of the polyline are handed on exactly
// as given.

#include <cstddef>
#include <vector>

#include "lines/DeviceGrid.hpp"

namespace curvist {

struct GridPoint {
  float x;  // world coordinates, handed on unchanged when the point is kept
  float y;
  DeviceCell cell;  // where the point lands on the device
  CellPosition at;  // and where exactly, in cells
};

// Takes the points of one polyline after another and appends those kept to two arrays.
class PathReducer {
 public:
  PathReducer(std::vector<float>& kept_x, std::vector<float>& kept_y, const DeviceGrid& grid)
      : kept_x_(kept_x), kept_y_(kept_y), grid_(grid), start_(kept_x.size()) {}

  void add(const GridPoint& point) { add_to_column_run(point); }
  // Completes the polyline: a polyline of two points or more keeps two or more, and the
  // points added next begin another one, never merged with this.
  void end();

 private:
  // The points of one run that may be kept, with their places in the run.
  struct Run {
    bool open = false;
    std::size_t length = 0;
    GridPoint first{}, least{}, greatest{}, last{};
    std::size_t least_at = 0, greatest_at = 0;
  };

  // Which of a run's ends are left out, their steps to the runs beside taken straight.
  struct LeftOut {
    bool first = false;
    bool last = false;
  };

  void add_to_column_run(const GridPoint& point);
  void add_column_run(const Run& run);
  // Which ends of two runs in neighbouring columns the step between them leaves out.
  struct StepLeftOut {
    bool last_of_run = false;
    bool first_of_next = false;
  };
  StepLeftOut straighter_step(const Run& run, const Run& next) const;
  void add_to_row_run(const GridPoint& point);
  void keep(const GridPoint& point);
  template <typename Next>
  static void hand_on(const Run& run, LeftOut left_out, Next&& next);

  std::vector<float>& kept_x_;
  std::vector<float>& kept_y_;
  const DeviceGrid& grid_;
  Run column_run_;
  Run finished_column_run_;  // held until the next shows how the path steps out of it
  bool finished_run_first_left_out_ = false;
  Run row_run_;
  std::size_t start_;           // where this polyline's points begin in the arrays
  DeviceCell last_kept_{};      // the cell of the last point kept
  bool last_left_out_ = false;  // the last point handed on shared the cell before it
  GridPoint final_{};           // the last point added
};

}  // namespace curvist
