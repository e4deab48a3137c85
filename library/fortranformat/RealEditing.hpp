#pragma once
// Fortran F and G editing of a real value, written exactly as the gfortran runtime writes
// it: correctly rounded (ties to even on the exact binary value), right-justified in the
// field, a leading zero dropped when a minus sign leaves no room for it, asterisks over the
// whole field when the value still does not fit, and Infinity, Inf or NaN for values that
// are not finite.

#include <string>

namespace curvist::fortranformat {

enum class RealEditKind { F, G };

// A real edit descriptor such as F8.0 or G13.7: field width and digit count.
struct RealEdit {
  RealEditKind kind = RealEditKind::F;
  int width = 0;
  int digits = 0;
  friend bool operator==(const RealEdit&, const RealEdit&) = default;
};

// The field of exactly edit.width characters.
std::string edit_real(double value, RealEdit edit);

}  // namespace curvist::fortranformat
