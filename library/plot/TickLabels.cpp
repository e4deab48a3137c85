#include "plot/TickLabels.hpp"

#include <algorithm>
#include <cmath>

#include "text/Blanks.hpp"

namespace curvist::plot {

fortranformat::RealEdit label_format(double step, double low, double high) {
  if (step >= 1 && step <= 10000) return {fortranformat::RealEditKind::F, 8, 0};
  const double relative_range = std::fabs(high - low) / std::max(std::fabs(low), std::fabs(high));
  double digits = 2 - std::floor(std::log10(relative_range));
  if (std::isnan(digits)) digits = 2;
  const int kept = static_cast<int>(std::clamp(digits, 2.0, 16.0));
  return {fortranformat::RealEditKind::G, kept + 6, kept};
}

std::string formatted_label(double value, fortranformat::RealEdit format) {
  return std::string(without_blanks_around(fortranformat::edit_real(value, format)));
}

std::string tidy_label(std::string_view label) {
  std::string text(label);
  // Each rule once, at its first match: the trailing zero of the digits before the
  // exponent letter, the leading zero of a negative exponent, the plus sign and leading
  // zero of a positive one.
  if (const auto at = text.find("0E"); at != std::string::npos) text.erase(at, 1);
  if (const auto at = text.find("E-0"); at != std::string::npos) text.erase(at + 2, 1);
  if (const auto at = text.find("E+0"); at != std::string::npos) text.erase(at + 1, 2);
  return text;
}

std::string label_text(double value, fortranformat::RealEdit format) {
  return std::string(without_blanks_around(tidy_label(fortranformat::edit_real(value, format))));
}

}  // namespace curvist::plot
