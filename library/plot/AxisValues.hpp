#pragma once
// The value each plotter draws for a data value on an axis, linear or logarithmic.
// Computed point by point from the caller's arrays, so no working copies are made for
// logarithmic axes.

#include <cmath>

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
