#include "window/FontFile.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace curvist {
namespace {

// A FreeType library of the face's own, so that the face outlives whoever opened it for
// as long as cairo keeps it in its caches.
struct OpenedFont {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

void close_font(void* data) {
  auto* font = static_cast<OpenedFont*>(data);
  FT_Done_Face(font->face);
  FT_Done_FreeType(font->library);
  delete font;
}

const cairo_user_data_key_t opened_font_key{};

}  // namespace

cairo_font_face_t* font_face_from_file(const char* path) {
  auto* font = new OpenedFont;
  if (FT_Init_FreeType(&font->library) != 0) {
    delete font;
    return nullptr;
  }
  if (FT_New_Face(font->library, path, 0, &font->face) != 0) {
    FT_Done_FreeType(font->library);
    delete font;
    return nullptr;
  }
  cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(font->face, 0);
  if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS ||
      cairo_font_face_set_user_data(face, &opened_font_key, font, close_font) !=
          CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face);
    close_font(font);
    return nullptr;
  }
  return face;
}

}  // namespace curvist
