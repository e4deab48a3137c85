#include "pgplot/DeviceTable.hpp"

#include <array>

namespace curvist {
namespace {

constexpr std::string_view postscript_end = "%%EOF";
constexpr std::string_view pdf_end = "%%EOF";
constexpr std::string_view svg_end = "</svg>";
constexpr std::string_view png_end = std::string_view("IEND\xae\x42\x60\x82", 8);
constexpr std::string_view gif_end = ";";

// PGPLOT's GIF device draws 850 by 680 pixels in landscape, 680 by 850 in portrait.
constexpr std::array<DeviceKind, 10> device_kinds{{
    {"ps", "/ps", ".ps", ".ps", postscript_end, false, false, true, false, 0, 0},
    {"vps", "/vps", ".ps", ".ps", postscript_end, false, false, true, false, 0, 0},
    {"cps", "/ps", ".ps", ".ps", postscript_end, false, false, false, false, 0, 0},
    {"vcps", "/vps", ".ps", ".ps", postscript_end, false, false, false, false, 0, 0},
    {"pdf", "/pdf", ".pdf", ".pdf", pdf_end, false, false, false, false, 0, 0},
    {"vpdf", "/vpdf", ".pdf", ".pdf", pdf_end, false, false, false, false, 0, 0},
    {"svg", "/svg", ".svg", ".svg", svg_end, false, true, false, false, 0, 0},
    {"png", "/png", ".png", ".png", png_end, false, true, false, false, 0, 0},
    {"gif", "/png", ".png", ".gif", gif_end, true, true, false, true, 850, 680},
    {"vgif", "/png", ".png", ".gif", gif_end, true, true, false, true, 680, 850},
}};

}  // namespace

const DeviceKind* find_device_kind(std::string_view type) {
  for (const auto& kind : device_kinds)
    if (kind.type == type) return &kind;
  return nullptr;
}

std::string_view known_device_types() {
  return "ps, vps, cps, vcps, pdf, vpdf, svg, png, gif, vgif";
}

}  // namespace curvist
