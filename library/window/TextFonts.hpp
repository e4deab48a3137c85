#pragma once
// The typefaces window text is drawn in. "Terminal" and "modern" are drawn in a
// monospaced face scaled so that every character cell is exactly w by h pixels, opened
// from its font file where that is installed where systems put it; other faces, and that
// one elsewhere, are found through fontconfig. Faces are looked up once and kept.

#include <cairo.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "window/FontOptions.hpp"
#include "window/PixelSurface.hpp"
#include "window/WindowOperations.hpp"

namespace curvist {

class TextFonts {
 public:
  TextFonts() = default;
  ~TextFonts();
  TextFonts(const TextFonts&) = delete;
  TextFonts& operator=(const TextFonts&) = delete;

  // Makes the font the option text describes current. Before the first selection the
  // current font is "t'Terminal'h16w8".
  void select(std::string_view options);
  FontInfo info() const { return {proportional_ ? 0 : cell_width_, cell_height_}; }

  // Width in pixels of the text in the current font.
  int text_width(std::string_view text);

  // Draws the text with its top-left corner at (x, y), inside clip only; the background
  // is left as it is. Returns the rectangle the text may have touched.
  PixelRectangle draw(PixelSurface& surface, int x, int y, std::string_view text,
                      std::uint32_t colour, const PixelRectangle& clip);

 private:
  struct Face {
    cairo_font_face_t* face = nullptr;
    bool monospaced = false;
    // Measured at a size of one em = 1: advance of a cell, ascent, descent.
    double advance = 0.6;
    double ascent = 0.8;
    double descent = 0.2;
  };
  const Face& face_for(const std::string& family);
  void ensure_scaled_font();

  std::map<std::string, Face> faces_;
  const Face* face_ = nullptr;
  cairo_scaled_font_t* scaled_font_ = nullptr;
  int cell_width_ = 8;
  int cell_height_ = 16;
  bool proportional_ = false;
  bool cells_ = true;  // glyphs placed on a fixed grid of cells
};

}  // namespace curvist
