#include "devices/GifWriter.hpp"

#include <cairo.h>
#include <gif_lib.h>

#include <bit>
#include <memory>
#include <string>
#include <unordered_map>

namespace curvist {
namespace {

struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ColourMapRelease {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, ColourMapRelease>;

std::uint8_t channel(std::uint32_t pixel, int shift) {
  return static_cast<std::uint8_t>((pixel >> shift) & 0xff);
}

// Un-premultiplies cairo's ARGB and puts what is transparent over a white ground.
std::uint32_t over_white(std::uint32_t argb) {
  const std::uint32_t alpha = argb >> 24;
  std::uint32_t rgb = 0;
  for (const int shift : {16, 8, 0}) {
    const std::uint32_t premultiplied = (argb >> shift) & 0xff;
    const std::uint32_t value = premultiplied + (255 - alpha);
    rgb |= std::min<std::uint32_t>(value, 255) << shift;
  }
  return rgb;
}

// The palette of an image with at most 256 colours, and each pixel's index in it.
bool exact_palette(const RgbImage& image, ColourMap& map, std::vector<GifByteType>& indices) {
  std::unordered_map<std::uint32_t, GifByteType> index_of;
  std::vector<std::uint32_t> colours;
  indices.resize(image.pixels.size());
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const auto [entry, added] =
        index_of.try_emplace(image.pixels[i], static_cast<GifByteType>(colours.size()));
    if (added) {
      if (colours.size() == 256) return false;
      colours.push_back(image.pixels[i]);
    }
    indices[i] = entry->second;
  }
  const int size = static_cast<int>(std::bit_ceil(std::max<std::size_t>(colours.size(), 2)));
  map.reset(GifMakeMapObject(size, nullptr));
  if (!map) return false;
  for (std::size_t i = 0; i < colours.size(); ++i)
    map->Colors[i] = {channel(colours[i], 16), channel(colours[i], 8), channel(colours[i], 0)};
  for (int i = static_cast<int>(colours.size()); i < size; ++i) map->Colors[i] = {0, 0, 0};
  return true;
}

bool quantised_palette(const RgbImage& image, ColourMap& map, std::vector<GifByteType>& indices) {
  const std::size_t count = image.pixels.size();
  std::vector<GifByteType> red(count), green(count), blue(count);
  for (std::size_t i = 0; i < count; ++i) {
    red[i] = channel(image.pixels[i], 16);
    green[i] = channel(image.pixels[i], 8);
    blue[i] = channel(image.pixels[i], 0);
  }
  int size = 256;
  map.reset(GifMakeMapObject(size, nullptr));
  if (!map) return false;
  indices.resize(count);
  return GifQuantizeBuffer(static_cast<unsigned>(image.width), static_cast<unsigned>(image.height),
                           &size, red.data(), green.data(), blue.data(), indices.data(),
                           map->Colors) == GIF_OK;
}

std::string gif_error_text(int error) {
  const char* text = GifErrorString(error);
  return text != nullptr ? text : "GIF error " + std::to_string(error);
}

}  // namespace

std::optional<std::string> read_png(const std::string& path, RgbImage& image) {
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(
      cairo_image_surface_create_from_png(path.c_str()));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    return cairo_status_to_string(cairo_surface_status(surface.get()));
  cairo_surface_flush(surface.get());
  const cairo_format_t format = cairo_image_surface_get_format(surface.get());
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24)
    return "the raster has an unexpected pixel format";
  image.width = cairo_image_surface_get_width(surface.get());
  image.height = cairo_image_surface_get_height(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  for (int row = 0; row < image.height; ++row) {
    const auto* source = reinterpret_cast<const std::uint32_t*>(data + row * stride);
    for (int column = 0; column < image.width; ++column) {
      const std::uint32_t pixel = source[column];
      image.pixels[static_cast<std::size_t>(row) * image.width + column] =
          format == CAIRO_FORMAT_RGB24 ? (pixel & 0xffffff) : over_white(pixel);
    }
  }
  return std::nullopt;
}

std::optional<std::string> write_gif(const std::string& path, const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0) return "the picture is empty";
  ColourMap map;
  std::vector<GifByteType> indices;
  if (!exact_palette(image, map, indices) && !quantised_palette(image, map, indices))
    return "its colours cannot be reduced to a GIF palette";

  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (gif == nullptr) return gif_error_text(error);
  EGifSetGifVersion(gif, true);
  bool written = EGifPutScreenDesc(gif, image.width, image.height, map->BitsPerPixel, 0,
                                   map.get()) == GIF_OK &&
                 EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
  for (int row = 0; written && row < image.height; ++row)
    written = EGifPutLine(gif, indices.data() + static_cast<std::size_t>(row) * image.width,
                          image.width) == GIF_OK;
  const int write_error = gif->Error;
  int close_error = 0;
  const bool closed = EGifCloseFile(gif, &close_error) == GIF_OK;
  if (!written) return gif_error_text(write_error);
  if (!closed) return gif_error_text(close_error);
  return std::nullopt;
}

}  // namespace curvist
