#pragma once
// The limits of a plot, taken the same way by both plotters: from the whole of each array
// (also the elements that belong to no drawn curve), replaced by their decimal logarithms
// on a logarithmic axis, in the precision the plotter keeps its limits in. Values an axis
// cannot place (NaN, infinities, and on a logarithmic axis zero and negative values) are
// gaps in the curves, and no limits either.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <type_traits>

#include "array/Extremes.hpp"
#include "text/Refusal.hpp"

namespace curvist::plot {

template <typename Limit>
struct PlotLimits {
  Limit xmin = 0;
  Limit xmax = 0;
  Limit ymin = 0;
  Limit ymax = 0;
  // On a logarithmic y axis: some y values are zero, so some points have no logarithm.
  bool zero_ordinates = false;
};

// Whether an axis has a place for a data value. A zero ordinate on a logarithmic y axis
// has one of its own (the lowest value of the axis) but sets no limit: it is not counted
// here.
template <typename Element>
bool placeable(Element value, bool logarithmic) {
  return std::isfinite(value) && (!logarithmic || value > 0);
}

// Why limits give an axis no window range, in words for the user; nothing when they give
// one. low and high are the axis's limits as the plotter holds them (logarithms on a
// logarithmic axis), taken from `placed` of its `values_given`.
template <typename Limit>
std::optional<std::string> axis_range_fault(char axis, Limit low, Limit high, bool logarithmic,
                                            std::size_t placed, std::size_t values_given) {
  const auto text = [](Limit value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
  };
  if (placed == 0)
    return std::string("no ") + axis + " value " +
           (logarithmic ? "has a finite logarithm" : "is finite") + ": nothing to plot";
  const std::string values =
      std::string(logarithmic ? "logarithms of the " : "") + axis + " values";
  if (!std::isfinite(low) || !std::isfinite(high))
    return "the " + values + " run from " + text(low) + " to " + text(high) +
           ", which is no finite range";
  if (low == high)
    return "all " + std::string(placed < values_given ? "finite " : "") + values + " are " +
           text(low) + ": no range to plot over";
  return std::nullopt;
}

// The limit of a logarithmic axis for a data extreme. The x logarithms are taken of the
// extremes rounded to the limits' precision, the y ones of the extremes before they are
// rounded (`rounded_first` false). The two orders can differ in the last bit of a 32-bit
// limit of 64-bit data, and pictures keep the one they have always had. An extreme
// beyond the limits' precision (1e39 for 32 bits) has its logarithm taken in its own.
template <typename Limit, typename Element>
Limit logarithmic_limit(Element extreme, bool rounded_first) {
  using Wider = std::common_type_t<Element, Limit>;
  if (rounded_first) {
    const Limit logarithm = std::log10(static_cast<Limit>(extreme));
    if (std::isfinite(logarithm)) return logarithm;
  }
  return static_cast<Limit>(std::log10(static_cast<Wider>(extreme)));
}

// Limit: 32-bit for PGPLOT's world window, 64-bit for the screen's window mapping.
// Refused, with the reason in words, when the plot is to be skipped: empty arrays, an axis
// with no value it can place, equal limits on an axis (no window range) or limits beyond
// the precision they are held in.
template <typename Limit, typename Element>
Refusable<PlotLimits<Limit>> plot_limits(std::span<const Element> all_x,
                                         std::span<const Element> all_y, bool log_x, bool log_y) {
  if (all_x.empty() || all_y.empty()) return Refusal{"there are no points"};
  const auto x = extremes(all_x, [log_x](Element value) { return placeable(value, log_x); });
  const auto y = extremes(all_y, [log_y](Element value) { return placeable(value, log_y); });
  PlotLimits<Limit> limits{static_cast<Limit>(x.smallest), static_cast<Limit>(x.largest),
                           static_cast<Limit>(y.smallest), static_cast<Limit>(y.largest)};
  if (log_x) {
    limits.xmin = logarithmic_limit<Limit>(x.smallest, true);
    limits.xmax = logarithmic_limit<Limit>(x.largest, true);
  }
  if (log_y) {
    limits.zero_ordinates = std::ranges::any_of(all_y, [](Element value) { return value == 0; });
    limits.ymin = logarithmic_limit<Limit>(y.smallest, false);
    limits.ymax = logarithmic_limit<Limit>(y.largest, false);
  }
  auto fault = axis_range_fault('x', limits.xmin, limits.xmax, log_x, x.count, all_x.size());
  if (!fault) fault = axis_range_fault('y', limits.ymin, limits.ymax, log_y, y.count, all_y.size());
  if (!fault) return limits;
  return Refusal{std::move(*fault)};
}

// Why plot_limits skips these values, in words; empty when they give a plot.
template <typename Limit, typename Element>
std::string why_no_limits(std::span<const Element> all_x, std::span<const Element> all_y,
                          bool log_x, bool log_y) {
  return plot_limits<Limit>(all_x, all_y, log_x, log_y).why_not();
}

}  // namespace curvist::plot
