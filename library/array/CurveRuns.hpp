#pragma once
// The curves of one plot as runs of equal length in the caller's arrays, whatever their
// layout: curve j is `points` elements of x from x + j * x_stride, likewise for y.

#include <algorithm>
#include <cstddef>
#include <span>

#include "array/ColumnMajorView.hpp"

namespace curvist {

template <typename Element>
struct CurveRuns {
  const Element* x = nullptr;
  std::size_t x_stride = 0;
  const Element* y = nullptr;
  std::size_t y_stride = 0;
  std::size_t count = 0;
  std::size_t points = 0;

  std::span<const Element> x_of(std::size_t curve) const { return {x + curve * x_stride, points}; }
  std::span<const Element> y_of(std::size_t curve) const { return {y + curve * y_stride, points}; }
};

// Column j of both matrices is curve j; as many points and curves as both arrays have.
template <typename Element>
CurveRuns<Element> matrix_curves(ColumnMajorView<const Element> X,
                                 ColumnMajorView<const Element> Y) {
  return {X.data(),
          X.rows(),
          Y.data(),
          Y.rows(),
          std::min(X.columns(), Y.columns()),
          std::min(X.rows(), Y.rows())};
}

// curve_count runs one after another, each the shorter array's size divided by
// curve_count, the remainder left over. No curve at all for a count of 0 or less, or when
// the runs would be empty.
template <typename Element>
CurveRuns<Element> list_curves(std::span<const Element> X, std::span<const Element> Y,
                               int curve_count) {
  const std::size_t count = curve_count > 0 ? static_cast<std::size_t>(curve_count) : 0;
  const std::size_t points = count > 0 ? std::min(X.size(), Y.size()) / count : 0;
  return {X.data(), points, Y.data(), points, points > 0 ? count : 0, points};
}

}  // namespace curvist
