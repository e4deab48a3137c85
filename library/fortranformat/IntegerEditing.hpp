#pragma once
// Fortran I editing: an integer right-justified in a field of the given width, asterisks
// over the whole field when it does not fit.

#include <string>

namespace curvist::fortranformat {

std::string edit_integer(long long value, int width);

}  // namespace curvist::fortranformat
