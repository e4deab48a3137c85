#pragma once
// The option text of select_font: t'face' names the typeface, hN and wN give the pixel
// height and width; p asks for a proportional face. Other single-letter options are
// accepted and have no meaning here.

#include <string>
#include <string_view>

namespace curvist {

struct FontOptions {
  std::string face;
  int height = 0;
  int width = 0;
  bool proportional = false;
};

FontOptions parse_font_options(std::string_view options);

}  // namespace curvist
