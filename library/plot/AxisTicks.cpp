#include "plot/AxisTicks.hpp"

#include <algorithm>
#include <cmath>

#include "plot/ScreenFonts.hpp"
#include "plot/TickLabels.hpp"

namespace curvist::plot {
namespace {

// More ticks than any sensible step gives: limits so close together that the step
// underflows, or that are not numbers, draw no ticks rather than loop for ever.
constexpr double most_ticks = 1000;

struct TickRange {
  double first = 0;
  double last = -1;
};

// Multiples of the step from the crossing that lie inside low..high.
TickRange ticks_between(double low, double high, double crossing, double step) {
  const double first = std::ceil((low - crossing) / step);
  const double last = std::floor((high - crossing) / step);
  if (!std::isfinite(first) || !std::isfinite(last) || last - first > most_ticks) return {};
  return {first, last};
}

}  // namespace

void draw_ticks(WindowOperations& windows, const ScreenLayout& layout) {
  const double X0 = layout.X0, Y0 = layout.Y0, XLO = layout.XLO, XHI = layout.XHI, YLO = layout.YLO,
               YHI = layout.YHI, PX = layout.PX, PY = layout.PY, SX = layout.SX, SY = layout.SY;
  const auto& x_format = layout.x_format;
  const auto& y_format = layout.y_format;

  const auto x_ticks = ticks_between(XLO, XHI, X0, SX);
  for (double I = x_ticks.first; I <= x_ticks.last; ++I) {
    const double XT = X0 + I * SX;
    windows.move_to(XT, Y0 + PY);
    windows.line_to(XT, Y0 - PY);
    // The crossing itself is not labelled: both axes meet there.
    if (I == 0) continue;
    const auto label = label_text(XT, x_format);
    const double n = static_cast<double>(label.size());
    windows.move_to(XT - label_character_width / 2 * n * PX, Y0 - 3 * PY);
    windows.draw_text(label);
  }

  const auto y_ticks = ticks_between(YLO, YHI, Y0, SY);
  for (double J = y_ticks.first; J <= y_ticks.last; ++J) {
    const double YT = Y0 + J * SY;
    windows.move_to(X0 - PX, YT);
    windows.line_to(X0 + PX, YT);
    if (J == 0) continue;
    const auto label = label_text(YT, y_format);
    const double n = static_cast<double>(label.size());
    const double width = (label_character_width * n + 3) * PX;
    const double left = X0 + width < XHI ? X0 + 3 * PX : X0 - width;
    windows.move_to(left, std::min(YT + 7 * PY, YHI));
    windows.draw_text(label);
  }
}

}  // namespace curvist::plot
