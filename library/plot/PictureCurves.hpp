#pragma once
// Drawing the curves of a picture through PGPLOT: each curve in its own line style, as
// one line through its points, as the segments between non-zero ordinates on a
// logarithmic y axis, or as markers.

#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

#include "array/CurveRuns.hpp"
#include "array/LargeArrays.hpp"
#include "pgplot/PgplotInterface.hpp"
#include "plot/AxisValues.hpp"

namespace curvist::plot {

// Hands points to PGPLOT as 32-bit floats, drawn as the axes take them. Points that are
// not finite are left out: a joined line breaks there, and each piece that joins two
// points or more is drawn.
template <typename Element>
class PointBuffer {
 public:
  PointBuffer(Pgplot& pgplot, const AxisValues<Element>& x_values,
              const AxisValues<Element>& y_values)
      : pgplot_(pgplot), x_values_(x_values), y_values_(y_values) {}

  void line(std::span<const Element> xs, std::span<const Element> ys) {
    clear();
    hold(xs.size());
    bool broken = false;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      if (!add(xs[i], ys[i])) {
        broken = true;
        draw_piece();
      }
    }
    // An unbroken curve is one line, whatever its length.
    if (broken)
      draw_piece();
    else
      pgplot_.PGLINE(x_, y_);
  }

  void points(std::span<const Element> xs, std::span<const Element> ys, int symbol) {
    clear();
    hold(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) add(xs[i], ys[i]);
    pgplot_.PGPT(x_, y_, symbol);
  }

 private:
  bool add(Element x_value, Element y_value) {
    const float x = static_cast<float>(x_values_(x_value));
    const float y = static_cast<float>(y_values_(y_value));
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    x_.push_back(x);
    y_.push_back(y);
    return true;
  }

  void draw_piece() {
    if (x_.size() >= 2) pgplot_.PGLINE(x_, y_);
    clear();
  }

  void clear() {
    x_.clear();
    y_.clear();
  }

  // Room for a whole curve at once: grown point by point, the buffers would hold up to
  // twice the points, and three times while they move.
  void hold(std::size_t points) {
    x_.reserve(points);
    y_.reserve(points);
  }

  Pgplot& pgplot_;
  AxisValues<Element> x_values_;
  AxisValues<Element> y_values_;
  std::vector<float, LargeArrayAllocator<float>> x_;
  std::vector<float, LargeArrayAllocator<float>> y_;
};

// Curve j gets line style j mod 4 + 1 (full, dashed, dash-dot, dotted), in the colour the
// page left current. With zero_ordinates (some y values are zero on a logarithmic y axis)
// a joined curve is the segments between neighbours that both have a logarithm. Unjoined points get
// the marker `unjoined`.
template <typename Element>
void draw_picture_curves(Pgplot& pgplot, const CurveRuns<Element>& curves,
                         const AxisValues<Element>& x_values, const AxisValues<Element>& y_values,
                         bool join, bool zero_ordinates, int unjoined) {
  PointBuffer<Element> buffer(pgplot, x_values, y_values);
  for (std::size_t curve = 0; curve < curves.count; ++curve) {
    pgplot.PGSLS(static_cast<int>(curve % 4) + 1);
    const auto xs = curves.x_of(curve);
    const auto ys = curves.y_of(curve);
    if (join && zero_ordinates) {
      // A zero has no logarithm: every segment that touches one is left out.
      for (std::size_t i = 0; i + 1 < curves.points; ++i) {
        if (ys[i] != 0 && ys[i + 1] != 0) buffer.line(xs.subspan(i, 2), ys.subspan(i, 2));
      }
    } else if (join) {
      buffer.line(xs, ys);
    } else {
      buffer.points(xs, ys, unjoined);
    }
  }
}

}  // namespace curvist::plot
