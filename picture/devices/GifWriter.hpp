#pragma once
// GIF pictures, which giza does not draw: a raster image written with giflib.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace curvist {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row after row from the top
};

// Reads a PNG file into an RGB image (transparent parts over white); the reason when it
// cannot.
std::optional<std::string> read_png(const std::string& path, RgbImage& image);

// Writes the image as a GIF file with an exact palette when it has at most 256 colours,
// a quantised one otherwise; the reason on failure.
std::optional<std::string> write_gif(const std::string& path, const RgbImage& image);

}  // namespace curvist
