#pragma once
// Where world coordinates land on a picture device: in the device's own units, in the
// cells of its resolution (the points the device cannot tell apart share a cell), and as
// the picture's renderer will measure them.

#include <cmath>

namespace curvist {

// An affine map of world coordinates to device coordinates.
struct WorldToDevice {
  double x_offset = 0;
  double x_scale = 1;
  double y_offset = 0;
  double y_scale = 1;

  double x(double world) const { return x_offset + world * x_scale; }
  double y(double world) const { return y_offset + world * y_scale; }
  // The same map with the device units divided into `factor` smaller ones.
  WorldToDevice scaled(double factor) const {
    return {x_offset * factor, x_scale * factor, y_offset * factor, y_scale * factor};
  }
};

// A cell of the device's resolution. Cells are whole numbers held as doubles, so a point
// far outside the picture still has one (and a point that is not a number shares none).
struct DeviceCell {
  double column;
  double row;
  bool operator==(const DeviceCell&) const = default;
};

// Where a point lands in cell units, before it is rounded to its cell.
struct CellPosition {
  double column;
  double row;
};

struct DeviceGrid {
  WorldToDevice to_cells;  // world coordinates in cell units
  // PostScript rounds to the nearest thousandth of an inch, so its cells are centred on
  // whole units; a pixel spans from one whole unit to the next.
  bool centred;

  CellPosition position(float x, float y) const { return {to_cells.x(x), to_cells.y(y)}; }
  DeviceCell cell(const CellPosition& at) const {
    if (centred) return {std::nearbyint(at.column), std::nearbyint(at.row)};
    return {std::floor(at.column), std::floor(at.row)};
  }
  DeviceCell cell(float x, float y) const { return cell(position(x, y)); }
  // Where a column of cells ends and the next begins.
  double edge_after(double column) const { return centred ? column + 0.5 : column + 1; }
};

// Device coordinates as the renderer of the picture sees them, for lengths along a path
// to come out as the renderer's do: cairo holds them in fixed point of 1/256 device unit,
// and a vector picture writes them with three decimals.
struct RendererGrid {
  WorldToDevice to_device;
  bool written_with_three_decimals;

  double held(double device) const {
    const double fixed = std::nearbyint(device * 256.0) / 256.0;
    return written_with_three_decimals ? std::nearbyint(fixed * 1000.0) / 1000.0 : fixed;
  }
  double x(double world) const { return held(to_device.x(world)); }
  double y(double world) const { return held(to_device.y(world)); }
};

}  // namespace curvist
