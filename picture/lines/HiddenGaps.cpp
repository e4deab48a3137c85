#include "lines/HiddenGaps.hpp"

#include <algorithm>
#include <cmath>

namespace curvist {
namespace {

// 32 MiB of bits (twice: the dashes' and the inked beside): a letter page at a thousandth
// of an inch needs a third of it.
constexpr double most_cells = double(1 << 28);

std::uint64_t bits_from(std::size_t first, std::size_t last) {
  const std::uint64_t upto_last = last == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << last) - 1;
  return upto_last & ~((std::uint64_t{1} << first) - 1);
}

}  // namespace

bool InkedCells::start(const DeviceCell& low, const DeviceCell& high, double half_width) {
  started_ = false;
  const double columns = high.column - low.column + 1;
  const double rows = high.row - low.row + 1;
  if (!(columns >= 1 && rows >= 1 && columns * rows <= most_cells)) return false;
  low_ = low;
  columns_ = static_cast<std::size_t>(columns);
  rows_ = static_cast<std::size_t>(rows);
  words_ = (rows_ + 63) / 64;
  // A cell stands up to a cell from where the line truly passes: the reach in which
  // another dash's ink surely covers a column is a cell short of half the line.
  reach_ = static_cast<std::ptrdiff_t>(std::max(0.0, std::floor(std::min(half_width, 1024.0)) - 1));
  bits_.assign(columns_ * words_, 0);
  inked_words_.assign(columns_, WordSpan{words_, 0});
  started_ = true;
  return true;
}

bool InkedCells::holds(const DeviceCell& cell) const {
  return cell.column >= low_.column && cell.column < low_.column + double(columns_) &&
         cell.row >= low_.row && cell.row < low_.row + double(rows_);
}

void InkedCells::ink(const DeviceCell& from, const DeviceCell& to) {
  if (!started_ || !holds(from) || !holds(to)) return;
  const double apart = std::abs(to.column - from.column);
  // A dash across to the next column inks the rows of both, where the line is wide
  // enough to reach over the boundary; a longer one counts for nothing here.
  if (apart > 1 || (apart == 1 && reach_ < 1)) return;
  const auto low = static_cast<std::size_t>(std::min(from.row, to.row) - low_.row);
  const auto high = static_cast<std::size_t>(std::max(from.row, to.row) - low_.row);
  for (const double column : {from.column, to.column}) {
    const auto index = static_cast<std::size_t>(column - low_.column);
    std::uint64_t* words = column_words(index);
    for (std::size_t word = low / 64; word <= high / 64; ++word)
      words[word] |= bits_from(word == low / 64 ? low % 64 : 0, word == high / 64 ? high % 64 : 63);
    WordSpan& inked = inked_words_[index];
    inked.first = std::min(inked.first, low / 64);
    inked.last = std::max(inked.last, high / 64);
    if (apart == 0) break;
  }
}

void InkedCells::settle() {
  if (!started_) return;
  const auto clipped = [&](std::ptrdiff_t column) {
    return static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(column, 0, static_cast<std::ptrdiff_t>(columns_) - 1));
  };
  // The words some column from `first` to `last` inked, and their OR, word by word.
  const auto span_of = [&](std::ptrdiff_t first, std::ptrdiff_t last) {
    WordSpan span{words_, 0};
    for (std::size_t column = clipped(first); column <= clipped(last); ++column) {
      span.first = std::min(span.first, inked_words_[column].first);
      span.last = std::max(span.last, inked_words_[column].last);
    }
    return span;
  };
  const auto inked_in = [&](std::ptrdiff_t first, std::ptrdiff_t last, std::size_t word) {
    std::uint64_t inked = 0;
    for (std::size_t column = clipped(first); column <= clipped(last); ++column)
      inked |= bits_[column * words_ + word];
    return inked;
  };
  // A band of ink leaves most of the box empty: only the words inked on both sides of a
  // column can be inked beside.
  beside_.assign(bits_.size(), 0);
  for (std::size_t column = 0; column < columns_; ++column) {
    const auto at = static_cast<std::ptrdiff_t>(column);
    const WordSpan left = span_of(at - reach_, at);
    const WordSpan right = span_of(at, at + reach_);
    for (std::size_t word = std::max(left.first, right.first);
         word <= std::min(left.last, right.last) && word < words_; ++word)
      beside_[column * words_ + word] =
          inked_in(at - reach_, at, word) & inked_in(at, at + reach_, word);
  }
}

bool InkedCells::inked_beside(std::size_t low, std::size_t high, std::size_t column) const {
  const std::uint64_t* words = beside_.data() + column * words_;
  for (std::size_t word = low / 64; word <= high / 64; ++word) {
    const std::uint64_t wanted =
        bits_from(word == low / 64 ? low % 64 : 0, word == high / 64 ? high % 64 : 63);
    if ((words[word] & wanted) != wanted) return false;
  }
  return true;
}

bool InkedCells::hides(const DeviceCell& from, const DeviceCell& to) const {
  if (!started_ || !holds(from) || !holds(to) || std::abs(to.column - from.column) > 1)
    return false;
  const auto low = static_cast<std::size_t>(std::min(from.row, to.row) - low_.row);
  const auto high = static_cast<std::size_t>(std::max(from.row, to.row) - low_.row);
  return inked_beside(low, high, static_cast<std::size_t>(from.column - low_.column)) &&
         inked_beside(low, high, static_cast<std::size_t>(to.column - low_.column));
}

bool InkedCells::inks_join(const DeviceCell& centre, const DeviceCell& tip) const {
  if (!started_ || !holds(centre) || !holds(tip)) return false;
  // A cell at a time from the point out to the tip.
  const double steps =
      std::max(std::abs(tip.column - centre.column), std::abs(tip.row - centre.row));
  for (double step = 1; step <= steps; ++step) {
    const double column =
        std::nearbyint(centre.column + (tip.column - centre.column) * step / steps);
    const double row = std::nearbyint(centre.row + (tip.row - centre.row) * step / steps);
    const auto at = static_cast<std::size_t>(row - low_.row);
    if (!inked_beside(at, at, static_cast<std::size_t>(column - low_.column))) return false;
  }
  return true;
}

}  // namespace curvist
