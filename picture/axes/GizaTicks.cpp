#include "axes/GizaTicks.hpp"

#include <cmath>

namespace curvist {
namespace {

// Below this giza's own interval is zero.
constexpr double giza_smallest_interval = 2e-30;
// giza takes an interval it is given for zero up to this (its test for equal numbers).
constexpr double giza_zero_interval = 1e-31;
// giza's interval is this fraction of the window or more, at most a fifth.
constexpr double giza_least_fraction = 0.05;
constexpr double giza_greatest_fraction = 0.2;

bool has_option(std::string_view options, char upper) {
  const char lower = static_cast<char>(upper - 'A' + 'a');
  return options.find(upper) != std::string_view::npos ||
         options.find(lower) != std::string_view::npos;
}

// 2, 5 or 10 times a power of ten, the smallest not below |x|, with the subdivisions giza
// gives it: giza's own rounding, its truncation of the logarithm included.
AxisTicks round_interval(double x) {
  const double magnitude = std::fabs(x);
  const double logarithm = std::log10(magnitude);
  int exponent = static_cast<int>(logarithm);
  if (logarithm < 0) --exponent;
  const double power = std::pow(10.0, exponent);
  const double fraction = magnitude / power;
  const double nice = fraction < 2 ? 2 : fraction < 5 ? 5 : 10;
  const double interval = x < 0 ? -power * nice : power * nice;
  return {static_cast<float>(interval), nice == 2 ? 2 : 5};
}

}  // namespace

AxisTicks automatic_ticks(double low, double high) {
  return round_interval(giza_greatest_fraction * (high - low));
}

std::optional<AxisTicks> ticks_for_giza(std::string_view options, float interval, int subdivisions,
                                        double low, double high) {
  const AxisTicks as_given{interval, subdivisions};
  if (interval != 0 || has_option(options, 'L')) return as_given;
  const bool ticked = has_option(options, 'T') || has_option(options, 'S') ||
                      has_option(options, 'G') || has_option(options, 'N');
  const double range = high - low;
  // Where giza might still find an interval of its own, it does.
  if (!ticked || !(std::fabs(range) * giza_least_fraction < giza_smallest_interval) || range == 0)
    return as_given;
  const AxisTicks picked = automatic_ticks(low, high);
  if (std::fabs(double(picked.interval)) <= giza_zero_interval) return std::nullopt;
  return picked;
}

}  // namespace curvist
