#pragma once
// The 16 colours a colour index names, as 0xRRGGBB pixels of a 32-bit surface.

#include <array>
#include <cstdint>

namespace curvist {

inline constexpr std::array<std::uint32_t, 16> palette_colours{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

// Index 0 is the background every window is cleared to.
inline constexpr int background_colour_index = 0;

// An index outside 0..15 wraps around the palette, as the hardware palettes the plotter
// was written for did; it never reads outside the table.
constexpr std::uint32_t palette_pixel(int colour_index) {
  return palette_colours[static_cast<unsigned>(colour_index) % palette_colours.size()];
}

}  // namespace curvist
