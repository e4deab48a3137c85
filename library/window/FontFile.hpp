#pragma once
// A typeface opened straight from its font file with FreeType. Finding a face through
// fontconfig loads fontconfig's whole configuration first (every configuration file and
// font cache of the system), the larger part of what a short run costs; where the file
// of a face is known, opening it spares all of that.

#include <cairo.h>

namespace curvist {

// The face in the font file at `path`, owning what FreeType holds for it until cairo lets
// go of it; nothing (null) when the file is missing or no font.
cairo_font_face_t* font_face_from_file(const char* path);

}  // namespace curvist
