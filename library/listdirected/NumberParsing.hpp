#pragma once
// One value of list-directed input, already cut out of its record, read as a number.

#include <cstdint>
#include <optional>
#include <string_view>

namespace curvist {

// One optional sign and decimal digits, in the 32-bit range. A decimal point or an
// exponent makes it no integer.
std::optional<std::int32_t> parse_integer(std::string_view value);

// Any decimal or exponent form: 1, -.5, 2., 1.5e-3, 2.0D0, 1.5Q2, and the exponent
// without a letter, 1.5+3; also Inf, Infinity and NaN in any case, and NaN(...) with any
// characters but a closing parenthesis inside.
// Values beyond the range become infinite or zero.
std::optional<double> parse_real(std::string_view value);

}  // namespace curvist
