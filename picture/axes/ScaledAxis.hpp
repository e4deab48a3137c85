#pragma once
// giza takes a world window narrower than 1e-31 for an empty one, and cannot number one a
// little wider: cross-sections in square metres or masses in kilograms with a small
// spread. Such an axis reaches giza multiplied by a power of ten, where giza draws it as
// any other; its frame and ticks are giza's, and its numbers, those of the true values,
// are written here the way giza writes its own.

#include <string>
#include <string_view>

#include "axes/GizaTicks.hpp"

namespace curvist {

struct AxisScale {
  int exponent = 0;  // giza is handed the world values times 10 to this

  bool scaled() const { return exponent != 0; }
  double factor() const;
  float to_giza(double value) const { return static_cast<float>(value * factor()); }
};

// How the world window from `low` to `high` reaches giza: unscaled wherever giza can draw
// and number it itself, so that those pictures stay exactly as giza draws them.
AxisScale axis_scale_for_giza(double low, double high);

// PGBOX's `options` for an axis whose numbers are written here, not by giza.
std::string without_numbers(std::string_view options);

// Writes the numbers of a scaled axis ('x' or 'y') with PGBOX's `options`, ticked by
// giza at `ticks` over the window from `low` to `high` as giza has it (scaled): at each
// major tick the true value, placed and formed as giza places and forms its own.
void number_scaled_axis(char axis, std::string_view options, AxisTicks ticks, double low,
                        double high, AxisScale scale);

}  // namespace curvist
