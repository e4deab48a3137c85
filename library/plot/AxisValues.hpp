#pragma once
// The curves of one screen plot as runs of points in the caller's arrays, their limits,
// and the values drawn for them on logarithmic axes. Shared by the 64-bit and 32-bit
// operations and by the matrix and list layouts.

#include <cmath>
#include <cstddef>
#include <limits>
#include <span>

#include "array/CurveRuns.hpp"
#include "array/Extremes.hpp"

namespace curvist::plot {

// The value drawn for a data value: its decimal logarithm on a logarithmic axis, in the
// element's own precision; a zero ordinate on a logarithmic y axis stands at the axis's
// lowest value.
template <typename Element>
struct AxisValues {
  bool logarithmic = false;
  bool zeros_at_lowest = false;
  Element lowest = 0;

  Element operator()(Element value) const {
    if (!logarithmic) return value;
    if (zeros_at_lowest && value == 0) return lowest;
    return std::log10(value);
  }
};

}  // namespace curvist::plot
