#pragma once
// One screen plot of curves from the caller's arrays, whatever their precision and
// layout: limits from the data, frame and axes, the curves, and the close.

#include <cmath>
#include <span>

#include "Plot.hpp"
#include "plot/AxisValues.hpp"
#include "plot/ScreenCurves.hpp"
#include "plot/ScreenPlotSettings.hpp"

namespace curvist::plot {

enum class OrderCheck { unjoin_unordered, keep_join };

// all_x and all_y are the whole arrays: the limits come from every element, also those
// that belong to no drawn curve.
template <typename Element>
void screen_plot(std::span<const Element> all_x, std::span<const Element> all_y,
                 const CurveRuns<Element>& curves, ScreenPlotSettings settings,
                 OrderCheck order_check) {
  // Nothing to draw and no limits to draw it in.
  if (all_x.empty() || all_y.empty()) return;
  // The limits are 64-bit whatever the element type; so are their logarithms.
  const auto x = extremes(all_x);
  const auto y = extremes(all_y);
  double xmin = x.smallest, xmax = x.largest;
  double ymin = y.smallest, ymax = y.largest;
  if (settings.LOGX) {
    xmin = std::log10(xmin);
    xmax = std::log10(xmax);
  }
  if (settings.LOGY) {
    const auto nonzero = extremes(all_y, true);
    ymin = std::log10(static_cast<double>(nonzero.smallest));
    ymax = std::log10(static_cast<double>(nonzero.largest));
  }
  // Limits that are equal or not finite give no window range: the plot is skipped.
  if (!std::isfinite(xmin) || !std::isfinite(xmax) || !std::isfinite(ymin) ||
      !std::isfinite(ymax) || xmin == xmax || ymin == ymax)
    return;

  PLOTPACK::PREPARESCREEN(xmin, xmax, ymin, ymax, settings.JOIN, settings.LOGX, settings.LOGY,
                          settings.RESOLUTION, settings.x_caption, settings.y_caption,
                          settings.title, settings.OWNWINDOW, settings.REUSEWINDOW);

  const AxisValues<Element> x_values{settings.LOGX, false, 0};
  const AxisValues<Element> y_values{settings.LOGY, true, static_cast<Element>(ymin)};
  bool JOIN = settings.JOIN;
  if (order_check == OrderCheck::unjoin_unordered && JOIN)
    JOIN = abscissae_in_order(curves, x_values);
  draw_curves(curves, x_values, y_values, JOIN);
  PLOTPACK::KILLSCREEN(settings.OWNWINDOW);
}

}  // namespace curvist::plot
