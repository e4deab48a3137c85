#pragma once
// The curves of a plot copied out of the caller's arrays, to be drawn again after the
// caller has taken its arrays back: the drawn points only, curve after curve, in their
// own precision.

#include <cstddef>
#include <vector>

#include "array/CurveRuns.hpp"

namespace curvist::plot {

template <typename Element>
class KeptCurves {
 public:
  explicit KeptCurves(const CurveRuns<Element>& curves)
      : count_(curves.count), points_(curves.points) {
    x_.reserve(count_ * points_);
    y_.reserve(count_ * points_);
    for (std::size_t curve = 0; curve < count_; ++curve) {
      const auto xs = curves.x_of(curve);
      const auto ys = curves.y_of(curve);
      x_.insert(x_.end(), xs.begin(), xs.end());
      y_.insert(y_.end(), ys.begin(), ys.end());
    }
  }

  CurveRuns<Element> runs() const {
    return {x_.data(), points_, y_.data(), points_, count_, points_};
  }

 private:
  std::size_t count_;
  std::size_t points_;
  std::vector<Element> x_;
  std::vector<Element> y_;
};

}  // namespace curvist::plot
