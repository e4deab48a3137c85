#pragma once
// The line --explain writes on standard error for a listed file that is not plotted:
//   curvist: skipped spectrum.dat: line 2: "1.5" is not an integer (the number of points)

#include <string_view>

namespace curvist {

// name: the name field as listed (trailing blanks are dropped); reason: the first reason
// the pre-check or the reader gave.
void explain_skipped(std::string_view name, std::string_view reason);

}  // namespace curvist
