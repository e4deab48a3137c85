#include "lines/DashPattern.hpp"

#include <initializer_list>

namespace curvist {
namespace {

DashPattern pattern(std::initializer_list<double> lengths, double offset) {
  DashPattern made;
  for (const double length : lengths) made.lengths[made.count++] = length;
  made.offset = offset;
  return made;
}

}  // namespace

// giza 1.3.2 sets these in giza_set_line_style. Its dashes are half the character width
// it reports in millimetres, but taken as device units; its dots and the gaps around them
// follow the line width in true millimetres. Both are copied as they are, because the
// point is to draw exactly the dashes giza would.
DashPattern giza_dash_pattern(int giza_style, const GizaDashSizes& sizes) {
  const double long_dash = 0.5 * sizes.character_width;
  const double short_dash = 0.5 * long_dash;
  const double dot = sizes.device_units_per_mm * 0.25 * sizes.line_width;
  const double space = sizes.device_units_per_mm * sizes.line_width;
  switch (giza_style) {
    case 2:
      return pattern({short_dash, 0.5 * short_dash}, 0.5 * short_dash);
    case 3:
      return pattern({long_dash, 0.5 * short_dash}, 0.375 * long_dash);
    case 4:
      return pattern({dot, space}, 0);
    case 5:
      return pattern({long_dash, space, dot, space}, 0.5 * long_dash);
    case 6:
      return pattern({long_dash, space, dot, space, dot, space, dot, space}, 0.75 * long_dash);
    default:
      return {};
  }
}

}  // namespace curvist
