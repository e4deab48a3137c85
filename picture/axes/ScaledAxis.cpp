#include "axes/ScaledAxis.hpp"

extern "C" {
#include <giza.h>
}

#include <cmath>

namespace curvist {
namespace {

// giza takes a world window narrower than this for an empty one and draws 0 to 1 instead.
constexpr double giza_narrowest_window = 1e-31;

// giza's rounding to the nearest whole number, halves away from zero.
long nearest_whole(double value) {
  return static_cast<long>(value < 0 ? value - 0.5 : value + 0.5);
}

// The letter of `options` among `letters` that comes last, or 0.
char last_of(std::string_view options, std::string_view letters) {
  const auto at = options.find_last_of(letters);
  return at == std::string_view::npos ? 0 : options[at];
}

}  // namespace

double AxisScale::factor() const { return std::pow(10.0, exponent); }

AxisScale axis_scale_for_giza(double low, double high) {
  const double width = std::fabs(high - low);
  if (width > giza_narrowest_window && ticks_for_giza("T", 0, 0, low, high)) return {};
  // Scaled to a width of 1 to 10.
  return {-static_cast<int>(std::floor(std::log10(width)))};
}

std::string without_numbers(std::string_view options) {
  std::string kept;
  for (const char letter : options)
    if (std::string_view("NnMm").find(letter) == std::string_view::npos) kept += letter;
  return kept;
}

void number_scaled_axis(char axis, std::string_view options, AxisTicks ticks, double low,
                        double high, AxisScale scale) {
  // giza numbers an axis on the side the last N or M of its options names.
  const char side = last_of(options, "NnMm");
  if (side == 0 || ticks.interval == 0) return;
  const bool opposite = side == 'M' || side == 'm';
  const bool vertical = axis == 'y' && last_of(options, "Vv") != 0;

  const double interval = ticks.interval;
  const int power = static_cast<int>(std::floor(std::log10(std::fabs(interval))));
  const long digits = nearest_whole(interval / std::pow(10.0, power));
  const long first = nearest_whole(low / interval);
  const long last = nearest_whole(high / interval);
  for (long tick = first; tick <= last; ++tick) {
    const double place = (tick * interval - low) / (high - low);
    if (place < 0 || place > 1) continue;
    char number[100];
    giza_format_number(static_cast<int>(tick * digits), power - scale.exponent,
                       GIZA_NUMBER_FORMAT_AUTO, number, sizeof number);
    if (axis == 'x')
      giza_annotate(opposite ? "T" : "B", opposite ? 0.8 : 1.2, place, 0.5, number);
    else if (vertical)
      giza_annotate(opposite ? "RV" : "LV", 0.7, place, opposite ? 0.0 : 1.0, number);
    else
      giza_annotate(opposite ? "R" : "L", opposite ? 1.2 : 0.7, place, 0.5, number);
  }
}

}  // namespace curvist
