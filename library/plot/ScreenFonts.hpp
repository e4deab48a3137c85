#pragma once
// The two fonts of a screen plot, as option texts of select_font.

#include <string_view>

namespace curvist::plot {

// The console's font, whose cells measure a window's size: 8 pixels wide, 12 high.
inline constexpr std::string_view terminal_font = "t'Terminal'h12w8";

// The font of captions and tick labels. The layout reckons a text's width in its 9-pixel
// cells, which the window operations keep exact.
inline constexpr std::string_view label_font = "t'modern'h14w9";
inline constexpr double label_character_width = 9;

}  // namespace curvist::plot
