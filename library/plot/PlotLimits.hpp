#pragma once
// The limits of a plot, taken the same way by both plotters: from the whole of each array
// (also the elements that belong to no drawn curve), replaced by their decimal logarithms
// on a logarithmic axis, in the precision the plotter keeps its limits in.

#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <type_traits>

#include "array/Extremes.hpp"

namespace curvist::plot {

template <typename Limit>
struct PlotLimits {
  Limit xmin = 0;
  Limit xmax = 0;
  Limit ymin = 0;
  Limit ymax = 0;
  // On a logarithmic y axis: the smallest or the largest y value is zero, so some points
  // have no logarithm.
  bool zero_ordinates = false;
};

// Why limits give an axis no window range, in words for the user; nothing when they give
// one. low and high are the axis's limits as the plotter holds them (logarithms on a
// logarithmic axis).
template <typename Limit>
std::optional<std::string> axis_range_fault(char axis, Limit low, Limit high, bool logarithmic) {
  const auto text = [](Limit value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
  };
  const std::string values = logarithmic ? std::string("logarithms of the ") + axis + " values"
                                         : std::string("") + axis + " values";
  if (!std::isfinite(low) || !std::isfinite(high))
    return "the " + values + " run from " + text(low) + " to " + text(high) +
           ", which is no finite range";
  if (low == high) return "all " + values + " are " + text(low) + ": no range to plot over";
  return std::nullopt;
}

// Limit: 32-bit for PGPLOT's world window, 64-bit for the screen's window mapping. Nothing
// when the plot is to be skipped: empty arrays, equal limits on an axis (no window range)
// or limits that are not finite (data with Inf or NaN, logarithms of zero or negative
// values). why_not, when given, then receives the reason in words.
template <typename Limit, typename Element>
std::optional<PlotLimits<Limit>> plot_limits(std::span<const Element> all_x,
                                             std::span<const Element> all_y, bool log_x, bool log_y,
                                             std::string* why_not = nullptr) {
  if (all_x.empty() || all_y.empty()) {
    if (why_not != nullptr) *why_not = "there are no points";
    return std::nullopt;
  }
  const auto x = extremes(all_x);
  const auto y = extremes(all_y);
  PlotLimits<Limit> limits{static_cast<Limit>(x.smallest), static_cast<Limit>(x.largest),
                           static_cast<Limit>(y.smallest), static_cast<Limit>(y.largest)};
  // The x logarithms are taken of the limits as held, the y ones of the data's non-zero
  // extremes before they are rounded to the limits' precision. The two orders can differ
  // in the last bit of a 32-bit limit of 64-bit data, and pictures keep the one they
  // have always had.
  if (log_x) {
    limits.xmin = std::log10(limits.xmin);
    limits.xmax = std::log10(limits.xmax);
  }
  if (log_y) {
    using Wider = std::common_type_t<Element, Limit>;
    limits.zero_ordinates = y.smallest == 0 || y.largest == 0;
    const auto nonzero = extremes(all_y, true);
    limits.ymin = static_cast<Limit>(std::log10(static_cast<Wider>(nonzero.smallest)));
    limits.ymax = static_cast<Limit>(std::log10(static_cast<Wider>(nonzero.largest)));
  }
  auto fault = axis_range_fault('x', limits.xmin, limits.xmax, log_x);
  if (!fault) fault = axis_range_fault('y', limits.ymin, limits.ymax, log_y);
  if (!fault) return limits;
  if (why_not != nullptr) *why_not = std::move(*fault);
  return std::nullopt;
}

}  // namespace curvist::plot
