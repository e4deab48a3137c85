#pragma once
// The PGPLOT device types this program can draw, and how giza draws each of them.

#include <cstddef>
#include <string>
#include <string_view>

namespace curvist {

struct DeviceKind {
  std::string_view type;               // PGPLOT's name, lower case: "ps", "gif", ...
  std::string_view giza_device;        // the giza device that draws it: "/ps", "/png", ...
  std::string_view giza_extension;     // the extension giza insists on for its file
  std::string_view picture_extension;  // the extension of a picture of this type
  // The last bytes of a complete file of this format (blanks and line ends after them
  // aside): a picture that lacks them was cut short.
  std::string_view complete_ending;
  bool written_as_gif = false;      // drawn by giza as PNG, then written with giflib
  bool single_page = false;         // giza would number the files of further pages
  bool monochrome = false;          // PGPLOT draws every colour but the background in black
  bool pgplot_gif_colours = false;  // starts with a black background and a white pen
  int width_pixels = 0;             // raster size; 0 for giza's own default
  int height_pixels = 0;
};

// The device of a lower-case type name; nullptr when the type is unknown.
const DeviceKind* find_device_kind(std::string_view type);

// The type names known, for error messages: "ps, vps, ...".
std::string known_device_types();

// How many of a file's first bytes tell whether it is a picture.
inline constexpr std::size_t picture_opening_length = 512;

// Whether a file that begins with `opening` (its first picture_opening_length bytes, or
// all of it) is a picture of a format these devices write: PostScript, PDF, SVG, PNG or
// GIF. A data file never is: it begins with a number.
bool opens_like_picture(std::string_view opening);

}  // namespace curvist
