#pragma once
// The three captions of PGLAB, drawn through giza where giza's own PGLAB puts them, each
// text given to giza in the pieces that make it draw what PGPLOT draws.

#include <string_view>

namespace curvist {

// Draws into giza's open picture; giza's messages are the caller's to catch. The texts
// are without their trailing blanks.
void draw_giza_captions(std::string_view x_caption, std::string_view y_caption,
                        std::string_view title);

}  // namespace curvist
