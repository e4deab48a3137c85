#include "lines/GizaReducedLine.hpp"

#include <cpgplot.h>
// giza.h does not declare its functions for C++ itself.
extern "C" {
#include <giza.h>
}

namespace curvist {
namespace {

constexpr int giza_full_line = 1;

// The viewport in giza's device units and in another unit of giza's.
struct Viewport {
  double x1, x2, y1, y2;
  static Viewport in(int units) {
    Viewport viewport{};
    giza_get_viewport(units, &viewport.x1, &viewport.x2, &viewport.y1, &viewport.y2);
    return viewport;
  }
  double width() const { return x2 - x1; }
};

// World coordinates in the device units of cairo, which giza draws with: points on
// vector devices, pixels on raster ones, y growing downwards. giza reports the viewport's
// top as its first y and the bottom as its second.
WorldToDevice world_to_device(const Viewport& device) {
  double x1 = 0, x2 = 1, y1 = 0, y2 = 1;
  giza_get_window(&x1, &x2, &y1, &y2);
  const double x_scale = device.width() / (x2 - x1);
  const double y_scale = (device.y1 - device.y2) / (y2 - y1);
  return {device.x1 - x1 * x_scale, x_scale, device.y2 - y1 * y_scale, y_scale};
}

bool draws_pixels(const DeviceKind& device) { return device.giza_device == "/png"; }

}  // namespace

GizaLineGeometry giza_line_geometry(const DeviceKind& device) {
  const Viewport device_viewport = Viewport::in(GIZA_UNITS_DEVICE);
  const WorldToDevice to_device = world_to_device(device_viewport);
  const bool raster = draws_pixels(device);
  // A thousandth of an inch is finer than anything a vector picture is looked at with,
  // as fine as PGPLOT's own PostScript, and a point is 13.9 of them.
  const double cells_per_unit =
      raster ? 1.0 : 1000.0 * Viewport::in(GIZA_UNITS_INCHES).width() / device_viewport.width();

  GizaDashSizes sizes{};
  double character_height = 0;
  giza_get_character_size(GIZA_UNITS_MM, &sizes.character_width, &character_height);
  sizes.device_units_per_mm = device_viewport.width() / Viewport::in(GIZA_UNITS_MM).width();
  giza_get_line_width(&sizes.line_width);
  // giza's line width 1 is a quarter of a millimetre.
  const double half_width_cells =
      0.125 * sizes.line_width * sizes.device_units_per_mm * cells_per_unit;
  return {DeviceGrid{to_device.scaled(cells_per_unit), !raster}, RendererGrid{to_device, !raster},
          sizes, half_width_cells};
}

bool reduce_line(const GizaLineGeometry& geometry, int giza_style, std::span<const float> x,
                 std::span<const float> y, SolidPieces& pieces) {
  const DashPattern pattern = giza_dash_pattern(giza_style, geometry.dash_sizes);
  if (pattern.full()) {
    reduce_full_line(x, y, geometry.grid, pieces);
    return true;
  }
  return reduce_dashed_line(x, y, geometry.grid, geometry.renderer, pattern,
                            geometry.half_width_cells, pieces);
}

void draw_line_pieces(const SolidPieces& pieces, int giza_style) {
  if (giza_style != giza_full_line) cpgsls(giza_full_line);
  std::size_t begin = 0;
  for (const std::size_t end : pieces.ends) {
    cpgline(static_cast<int>(end - begin), pieces.x.data() + begin, pieces.y.data() + begin);
    begin = end;
  }
  if (giza_style != giza_full_line) cpgsls(giza_style);
}

}  // namespace curvist
