#pragma once
// The gaps of a dashed line that no device could show. Where a path runs up and down
// across the same few columns (measured data, noisy, thousands of points an inch), the
// gap between two dashes lies under the ink of the dashes drawn beside it and over it:
// drawing the gap as line changes no cell of the device, and lets the dashes on either
// side become one piece of full line, which is then reduced as full lines are. Where a
// gap would show, it stays.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lines/DeviceGrid.hpp"

namespace curvist {

// The cells of the grid a dashed line's dashes ink, as far as its gaps need to know: the
// rows of each column that the dashes within a column, or across to the next, pass
// through. One bit a cell, for the box of cells the line lies in.
class InkedCells {
 public:
  // Starts afresh for a line whose cells lie from `low` to `high` and is `half_width`
  // cells wide on either side. False, and nothing is ever hidden, when the box holds
  // more cells than a line's gaps are worth looking at (a poster at a thousandth of an
  // inch, a point far off the page).
  bool start(const DeviceCell& low, const DeviceCell& high, double half_width);

  // A dash from one cell to another.
  void ink(const DeviceCell& from, const DeviceCell& to);

  // Every dash was inked: works out, for the questions below, which cells are inked
  // beside as well.
  void settle();

  // True when a gap from one cell to another lies under ink already there: drawn as
  // line, it would ink its rows as far as half the line's width to either side, and
  // dashes left of it and right of it (within that reach) ink all of that.
  bool hides(const DeviceCell& from, const DeviceCell& to) const;

  // True when a join drawn at `centre` adds no ink beyond the lines it joins: every cell
  // from there out to the farthest the join reaches, `tip`, is inked as a gap's are.
  bool inks_join(const DeviceCell& centre, const DeviceCell& tip) const;

 private:
  bool holds(const DeviceCell& cell) const;
  // Whether the rows from `low` to `high` of `column` are inked by the dashes within the
  // reach on its left and on its right.
  bool inked_beside(std::size_t low, std::size_t high, std::size_t column) const;
  std::uint64_t* column_words(std::size_t column) { return bits_.data() + column * words_; }

  bool started_ = false;
  DeviceCell low_{};
  std::size_t columns_ = 0;
  std::size_t rows_ = 0;
  std::size_t words_ = 0;  // per column
  std::ptrdiff_t reach_ = 0;
  std::vector<std::uint64_t> bits_;
  // The words of each column a dash inked, from the first to the last (first past the
  // last in a column no dash inked).
  struct WordSpan {
    std::size_t first;
    std::size_t last;
  };
  std::vector<WordSpan> inked_words_;
  // Per cell: inked by a dash of its column or one within the reach on its left, and by
  // one of its column or within the reach on its right.
  std::vector<std::uint64_t> beside_;
};

}  // namespace curvist
