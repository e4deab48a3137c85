#pragma once
// The text of a tick label: the value in the axis's label format, the exponent tidied up
// and the blanks around it dropped. Whole-number steps get (f8.0), all others a general
// format with enough significant digits to tell neighbouring ticks apart.

#include <string>
#include <string_view>

#include "fortranformat/RealEditing.hpp"

namespace curvist::plot {

// The label format of an axis with tick step `step` over the range low..high.
fortranformat::RealEdit label_format(double step, double low, double high);

// The value as the format writes it, blanks around it dropped but not tidied.
std::string formatted_label(double value, fortranformat::RealEdit format);

// Shortens the exponent: 0.20E+06 becomes 0.2E6, 0.15E-03 becomes 0.15E-3.
std::string tidy_label(std::string_view label);

// What is drawn at a tick.
std::string label_text(double value, fortranformat::RealEdit format);

}  // namespace curvist::plot
