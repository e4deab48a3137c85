#include "fortranformat/RealEditing.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace curvist::fortranformat {
namespace {

// glibc's printf converts the exact binary value and rounds it in the current rounding
// mode, to nearest with ties to even: the rounding gfortran's runtime gets from it too.
std::string print(const char* pattern, int precision, double magnitude) {
  const int length = std::snprintf(nullptr, 0, pattern, precision, magnitude);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), pattern, precision, magnitude);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// Sign and number into a field of the given width: the optional leading zero of "0.ddd"
// goes first, asterisks fill the field when even that is not enough.
std::string fit(bool negative, std::string number, int width) {
  const auto signed_text = [negative](std::string_view digits) {
    std::string text(negative ? "-" : "");
    text.append(digits);
    return text;
  };
  std::string text = signed_text(number);
  if (static_cast<int>(text.size()) > width && number.size() > 2 && number[0] == '0' &&
      number[1] == '.')
    text = signed_text(std::string_view(number).substr(1));
  if (static_cast<int>(text.size()) > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

std::string not_finite(double value, int width) {
  std::string text;
  if (std::isnan(value))
    text = "NaN";
  else if (std::signbit(value))
    text = width >= 9 ? "-Infinity" : "-Inf";
  else
    text = width >= 8 ? "Infinity" : "Inf";
  if (static_cast<int>(text.size()) > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

std::string edit_fixed(double value, int width, int digits) {
  // The # flag keeps the decimal point when there are no digits after it.
  return fit(std::signbit(value), print("%#.*f", digits, std::fabs(value)), width);
}

std::string edit_exponent_form(bool negative, const std::string& significant_digits, int exponent,
                               int width) {
  std::string exponent_text;
  const int magnitude = std::abs(exponent);
  const char sign = exponent < 0 ? '-' : '+';
  if (magnitude <= 99) {
    exponent_text =
        std::string("E") + sign + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
  } else if (magnitude <= 999) {
    exponent_text = sign + std::to_string(magnitude);
  } else {
    return std::string(width, '*');
  }
  return fit(negative, "0." + significant_digits + exponent_text, width);
}

// Ten to the power, as the runtime forms it: repeated products, a quotient for negative
// powers. Exact up to 10^22.
double power_of_ten(int exponent) {
  double power = 1;
  for (int step = 0; step < std::abs(exponent); ++step) power *= 10;
  return exponent >= 0 ? power : 1 / power;
}

// The limit from which a value needs `digits_before_point` digits before the decimal
// point once rounded to `digits` significant digits: 10^(k-1) * (1 - 0.5 * 10^-d). gfortran
// forms it in the value's own precision and compares against it, so a value that equals
// the rounded limit already counts as above it; the digit count follows that comparison,
// not the exact decimal rounding.
double rounding_limit(int digits_before_point, int digits) {
  const double volatile factor = 1 - 0.5 * power_of_ten(-digits);
  return power_of_ten(digits_before_point - 1) * factor;
}

std::string edit_general(double value, int width, int digits) {
  digits = std::max(digits, 1);
  const std::string trailing_blanks(4, ' ');
  const int fixed_width = width - 4;
  if (value == 0) {
    if (fixed_width <= 0) return std::string(width, '*');
    return edit_fixed(value, fixed_width, digits - 1) + trailing_blanks;
  }
  const double magnitude = std::fabs(value);
  if (fixed_width > 0 && magnitude >= rounding_limit(0, digits) &&
      magnitude < rounding_limit(digits + 1, digits)) {
    int digits_before_point = 0;
    while (digits_before_point < digits &&
           magnitude >= rounding_limit(digits_before_point + 1, digits))
      ++digits_before_point;
    const auto fixed = edit_fixed(value, fixed_width, digits - digits_before_point);
    if (fixed.front() == '*') return std::string(width, '*');
    return fixed + trailing_blanks;
  }
  // d.ddde+xx: the value rounded to the descriptor's significant digits.
  const auto scientific = print("%.*e", digits - 1, magnitude);
  const auto exponent_mark = scientific.find('e');
  std::string significant_digits = scientific.substr(0, 1);
  if (digits > 1) significant_digits += scientific.substr(2, exponent_mark - 2);
  // Exponent of the form 0.ddd times ten to it.
  const int exponent = std::atoi(scientific.c_str() + exponent_mark + 1) + 1;
  return edit_exponent_form(std::signbit(value), significant_digits, exponent, width);
}

}  // namespace

std::string edit_real(double value, RealEdit edit) {
  if (edit.width <= 0) return {};
  if (!std::isfinite(value)) return not_finite(value, edit.width);
  if (edit.kind == RealEditKind::F) return edit_fixed(value, edit.width, std::max(edit.digits, 0));
  return edit_general(value, edit.width, edit.digits);
}

}  // namespace curvist::fortranformat
