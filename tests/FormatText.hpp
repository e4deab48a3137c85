#pragma once
// Reading a format text of one real edit descriptor, as the gfortran reference table of
// the label formats names them: "(f8.0)" or "(g13.7)". Letters in either case, blanks
// anywhere.

#include <optional>
#include <string>
#include <string_view>

#include "fortranformat/RealEditing.hpp"

namespace curvist::fortranformat {

// Nothing when the text is not one F or G descriptor with width and digit count.
std::optional<RealEdit> parse_format_text(std::string_view text);

// The format text of a descriptor: "(f8.0)", "(g13.7)".
std::string format_text(RealEdit edit);

}  // namespace curvist::fortranformat
