#pragma once
// The dash pattern giza strokes a line style with, in device units, so that the layer can
// lay the same dashes along a path itself.

#include <array>
#include <cstddef>

namespace curvist {

struct DashPattern {
  std::array<double, 8> lengths{};  // a dash, a gap, a dash, ... along the path
  std::size_t count = 0;            // lengths in use; 0 for a full line
  double offset = 0;                // how far into the pattern a line starts

  bool full() const { return count == 0; }
};

// What giza's pattern is made of on the current device.
struct GizaDashSizes {
  double character_width;      // giza's character width "in millimetres" (see the .cpp)
  double device_units_per_mm;  // of the device
  double line_width;           // giza's line width: 1 is a quarter of a millimetre
};

// The pattern of giza's line style `giza_style` (giza's numbers: 1 full, 2 short dash,
// 3 long dash, 4 dot, 5 dash-dot, 6 dash-dot-dot-dot); giza draws an unknown style full.
DashPattern giza_dash_pattern(int giza_style, const GizaDashSizes& sizes);

}  // namespace curvist
