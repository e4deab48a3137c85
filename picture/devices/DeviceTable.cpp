#include "devices/DeviceTable.hpp"

#include <array>

namespace curvist {
namespace {

constexpr std::string_view postscript_end = "%%EOF";
constexpr std::string_view pdf_end = "%%EOF";
constexpr std::string_view svg_end = "</svg>";
constexpr std::string_view png_end = std::string_view("IEND\xae\x42\x60\x82", 8);
constexpr std::string_view gif_end = ";";

// PGPLOT's GIF device draws 850 by 680 pixels in landscape, 680 by 850 in portrait.
constexpr std::array device_kinds{
    DeviceKind{.type = "ps",
               .giza_device = "/ps",
               .giza_extension = ".ps",
               .picture_extension = ".ps",
               .complete_ending = postscript_end,
               .monochrome = true},
    DeviceKind{.type = "vps",
               .giza_device = "/vps",
               .giza_extension = ".ps",
               .picture_extension = ".ps",
               .complete_ending = postscript_end,
               .monochrome = true},
    DeviceKind{.type = "cps",
               .giza_device = "/ps",
               .giza_extension = ".ps",
               .picture_extension = ".ps",
               .complete_ending = postscript_end},
    DeviceKind{.type = "vcps",
               .giza_device = "/vps",
               .giza_extension = ".ps",
               .picture_extension = ".ps",
               .complete_ending = postscript_end},
    DeviceKind{.type = "pdf",
               .giza_device = "/pdf",
               .giza_extension = ".pdf",
               .picture_extension = ".pdf",
               .complete_ending = pdf_end},
    DeviceKind{.type = "vpdf",
               .giza_device = "/vpdf",
               .giza_extension = ".pdf",
               .picture_extension = ".pdf",
               .complete_ending = pdf_end},
    DeviceKind{.type = "svg",
               .giza_device = "/svg",
               .giza_extension = ".svg",
               .picture_extension = ".svg",
               .complete_ending = svg_end,
               .single_page = true},
    DeviceKind{.type = "png",
               .giza_device = "/png",
               .giza_extension = ".png",
               .picture_extension = ".png",
               .complete_ending = png_end,
               .single_page = true},
    DeviceKind{.type = "gif",
               .giza_device = "/png",
               .giza_extension = ".png",
               .picture_extension = ".gif",
               .complete_ending = gif_end,
               .written_as_gif = true,
               .single_page = true,
               .pgplot_gif_colours = true,
               .width_pixels = 850,
               .height_pixels = 680},
    DeviceKind{.type = "vgif",
               .giza_device = "/png",
               .giza_extension = ".png",
               .picture_extension = ".gif",
               .complete_ending = gif_end,
               .written_as_gif = true,
               .single_page = true,
               .pgplot_gif_colours = true,
               .width_pixels = 680,
               .height_pixels = 850},
};

}  // namespace

const DeviceKind* find_device_kind(std::string_view type) {
  for (const auto& kind : device_kinds)
    if (kind.type == type) return &kind;
  return nullptr;
}

bool opens_like_picture(std::string_view opening) {
  constexpr std::array<std::string_view, 5> signatures = {
      "%!PS", "%PDF-", std::string_view("\x89PNG\r\n\x1a\n", 8), "GIF87a", "GIF89a"};
  for (const std::string_view signature : signatures)
    if (opening.starts_with(signature)) return true;
  // SVG: an XML declaration, or nothing, before its svg element.
  return opening.starts_with('<') && opening.find("<svg") != std::string_view::npos;
}

std::string known_device_types() {
  std::string types;
  for (const auto& kind : device_kinds) {
    if (!types.empty()) types += ", ";
    types += kind.type;
  }
  return types;
}

}  // namespace curvist
