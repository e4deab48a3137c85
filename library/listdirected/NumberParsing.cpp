#include "listdirected/NumberParsing.hpp"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace curvist {
namespace {

bool is_digit(char character) { return character >= '0' && character <= '9'; }
bool is_sign(char character) { return character == '+' || character == '-'; }

std::size_t count_digits(std::string_view text, std::size_t from) {
  std::size_t position = from;
  while (position < text.size() && is_digit(text[position])) ++position;
  return position - from;
}

// Outside the range of a double, from_chars refuses the value; Fortran gives the
// infinity or the zero it rounds to, as strtod does in the C locale.
double out_of_range_value(const std::string& normalised) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return strtod_l(normalised.c_str(), nullptr, c_locale);
}

std::optional<double> from_chars_whole(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) return out_of_range_value(std::string(text));
  if (error != std::errc()) return std::nullopt;
  return value;
}

// Forms from_chars does not take: an exponent letter d, D, q or Q, or an exponent that
// is only a sign and digits. Checked against Fortran's grammar and rewritten with 'e'.
std::optional<double> parse_fortran_exponent_form(std::string_view value) {
  std::size_t position = 0;
  if (position < value.size() && is_sign(value[position])) ++position;
  const std::size_t integer_digits = count_digits(value, position);
  position += integer_digits;
  std::size_t fraction_digits = 0;
  if (position < value.size() && value[position] == '.') {
    ++position;
    fraction_digits = count_digits(value, position);
    position += fraction_digits;
  }
  if (integer_digits + fraction_digits == 0) return std::nullopt;
  const std::size_t mantissa_end = position;
  if (position == value.size()) return from_chars_whole(value);

  const char marker = value[position];
  switch (marker) {
    case 'e':
    case 'E':
    case 'd':
    case 'D':
    case 'q':
    case 'Q':
      ++position;
      break;
    case '+':
    case '-':
      break;
    default:
      return std::nullopt;
  }
  const std::size_t exponent_start = position;
  if (position < value.size() && is_sign(value[position])) ++position;
  const std::size_t exponent_digits = count_digits(value, position);
  if (exponent_digits == 0 || position + exponent_digits != value.size()) return std::nullopt;

  std::string normalised(value.substr(value[0] == '+' ? 1 : 0, mantissa_end - (value[0] == '+')));
  normalised.push_back('e');
  normalised.append(value.substr(exponent_start));
  return from_chars_whole(normalised);
}

// NaN(...) holds any characters up to its closing parenthesis, which ends the value, as
// gfortran reads it (NaN(-1), NaN(a.b)); from_chars takes only letters, digits and _.
std::optional<double> parse_not_a_number_with_parentheses(std::string_view value) {
  constexpr std::string_view opening = "nan(";
  const bool negative = !value.empty() && value[0] == '-';
  if (negative) value.remove_prefix(1);
  const auto lower_case = [](char character) {
    return character >= 'A' && character <= 'Z' ? char(character - 'A' + 'a') : character;
  };
  if (value.size() <= opening.size() ||
      !std::equal(opening.begin(), opening.end(), value.begin(),
                  [&](char wanted, char found) { return wanted == lower_case(found); }) ||
      value.find(')', opening.size()) != value.size() - 1)
    return std::nullopt;
  const double not_a_number = std::numeric_limits<double>::quiet_NaN();
  return negative ? -not_a_number : not_a_number;
}

}  // namespace

std::optional<std::int32_t> parse_integer(std::string_view value) {
  // One sign at most: from_chars would read the -1 of +-1.
  const bool plus_sign = !value.empty() && value[0] == '+';
  if (plus_sign) value.remove_prefix(1);
  if (value.empty() || (plus_sign && is_sign(value[0]))) return std::nullopt;
  std::int32_t result = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
  if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  return result;
}

std::optional<double> parse_real(std::string_view value) {
  // The common forms (1.5, -2, 1.5e-3, inf, nan) go straight to from_chars, which takes
  // no leading plus sign.
  std::string_view unsigned_part = value;
  if (!unsigned_part.empty() && unsigned_part[0] == '+') unsigned_part.remove_prefix(1);
  if (unsigned_part.empty() || (is_sign(unsigned_part[0]) && value[0] == '+')) return std::nullopt;
  if (const auto direct = from_chars_whole(unsigned_part)) return direct;
  if (const auto not_a_number = parse_not_a_number_with_parentheses(unsigned_part))
    return not_a_number;
  return parse_fortran_exponent_form(value);
}

}  // namespace curvist
