#include "plot/ScreenLayout.hpp"

#include <algorithm>
#include <cmath>

#include "plot/TickLabels.hpp"

namespace curvist::plot {
namespace {

// A power of ten (times five when that would give too many ticks) from the decade of a
// fraction of the range.
double tick_step(double range, double decade_of, double most_ticks) {
  const double step = std::pow(10.0, std::floor(std::log10(decade_of)));
  return range / step > most_ticks ? 5 * step : step;
}

}  // namespace

ScreenLayout lay_out_screen(DrawingArea area, DataLimits limits) {
  ScreenLayout layout;
  layout.area = area;
  // The axes cross at the origin when it is inside the data, else at the nearest corner.
  layout.X0 = std::min(std::max(limits.xmin, 0.0), limits.xmax);
  layout.Y0 = std::min(std::max(limits.ymin, 0.0), limits.ymax);

  const double DX = (limits.xmax - limits.xmin) / 30;
  layout.XLO = limits.xmin - DX;
  layout.XHI = limits.xmax + DX;
  const double DY = (limits.ymax - limits.ymin) / 13;
  layout.YLO = limits.ymin - DY;
  layout.YHI = limits.ymax + DY;
  layout.PX = (layout.XHI - layout.XLO) / (area.width - 7);
  layout.PY = (layout.YHI - layout.YLO) / (area.height - 7);

  const double x_range = layout.XHI - layout.XLO;
  const double y_range = layout.YHI - layout.YLO;
  layout.SX = tick_step(x_range, x_range / 2.5, 15);
  layout.SY = tick_step(y_range, y_range * 0.25, 14);
  layout.x_format = label_format(layout.SX, layout.XLO, layout.XHI);
  layout.y_format = label_format(layout.SY, layout.YLO, layout.YHI);

  // A crossing moved onto a tick gets the tick's round value; the x axis only moves down,
  // and neither may come too close to the edge that holds its labels.
  const double rounded_x = std::round(layout.X0 / layout.SX) * layout.SX;
  if (layout.XLO + 4 * layout.PX < rounded_x && rounded_x < layout.XHI) layout.X0 = rounded_x;
  const double rounded_y = std::round(layout.Y0 / layout.SY) * layout.SY;
  if (rounded_y < layout.Y0 && layout.YLO + 16 * layout.PY < rounded_y && rounded_y < layout.YHI)
    layout.Y0 = rounded_y;
  return layout;
}

}  // namespace curvist::plot
