#pragma once
// The curves of a plot kept to be drawn again after the call that drew them has returned:
// either a copy of the drawn points (the caller takes its arrays back), curve after
// curve, in their own precision, or the arrays themselves where the library owns them
// (they are only read, by whoever draws them, on any thread).

#include <cstddef>
#include <memory>
#include <vector>

#include "array/CurveRuns.hpp"

namespace curvist::plot {

template <typename Element>
class KeptCurves {
 public:
  // A copy of the drawn points.
  explicit KeptCurves(const CurveRuns<Element>& curves) {
    auto copy = std::make_shared<Copy>();
    copy->x.reserve(curves.count * curves.points);
    copy->y.reserve(curves.count * curves.points);
    for (std::size_t curve = 0; curve < curves.count; ++curve) {
      const auto xs = curves.x_of(curve);
      const auto ys = curves.y_of(curve);
      copy->x.insert(copy->x.end(), xs.begin(), xs.end());
      copy->y.insert(copy->y.end(), ys.begin(), ys.end());
    }
    runs_ = {copy->x.data(), curves.points, copy->y.data(),
             curves.points,  curves.count,  curves.points};
    arrays_ = std::move(copy);
  }

  // The curves where they are, in arrays that `arrays` keeps alive and nobody changes
  // any more.
  KeptCurves(const CurveRuns<Element>& curves, std::shared_ptr<const void> arrays)
      : arrays_(std::move(arrays)), runs_(curves) {}

  CurveRuns<Element> runs() const { return runs_; }

 private:
  struct Copy {
    std::vector<Element> x;
    std::vector<Element> y;
  };

  std::shared_ptr<const void> arrays_;
  CurveRuns<Element> runs_;
};

}  // namespace curvist::plot
