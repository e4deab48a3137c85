#include "window/SavedViews.hpp"

#include <cairo.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace curvist {

std::string view_file_name(std::string_view stem, int number, std::string_view extension) {
  std::string name(stem);
  name += "-view";
  if (number > 1) name += "-" + std::to_string(number);
  name += '.';
  name += extension;
  return name;
}

std::string free_view_file_name(std::string_view stem, std::string_view extension) {
  for (int number = 1;; ++number) {
    std::string name = view_file_name(stem, number, extension);
    std::error_code unused;
    if (!std::filesystem::exists(std::filesystem::symlink_status(name, unused))) return name;
  }
}

std::string save_pixels_as_png(const std::vector<std::uint32_t>& pixels, int width, int height,
                               std::string_view stem, std::string& error) {
  const std::string apart = std::string(stem) + "-view.png.part" + std::to_string(getpid());
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(pixels.data())),
      CAIRO_FORMAT_RGB24, width, height, width * 4);
  const cairo_status_t status = cairo_surface_write_to_png(surface, apart.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    unlink(apart.c_str());
    error = cairo_status_to_string(status);
    return {};
  }
  // A link fails where the name is taken: the next number is tried.
  std::string name;
  for (int number = 1; name.empty(); ++number) {
    const std::string candidate = view_file_name(stem, number, "png");
    if (link(apart.c_str(), candidate.c_str()) == 0)
      name = candidate;
    else if (errno != EEXIST) {
      error = std::strerror(errno);
      break;
    }
  }
  unlink(apart.c_str());
  return name;
}

}  // namespace curvist
