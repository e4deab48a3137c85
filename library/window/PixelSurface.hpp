#pragma once
// The pixels of one window: a 32-bit xRGB raster held in a cairo image surface (so that
// text can be drawn into it and it can be written as PNG) that grows to hold whatever is
// drawn into it, up to a fixed bound, and remembers which part changed since it was last
// shown.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace curvist {

// Inclusive pixel rectangle; empty when x1 > x2 or y1 > y2.
struct PixelRectangle {
  int x1 = 0;
  int y1 = 0;
  int x2 = -1;
  int y2 = -1;

  bool empty() const { return x1 > x2 || y1 > y2; }
  bool contains(int x, int y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
  PixelRectangle intersection(const PixelRectangle& other) const;
  PixelRectangle union_with(const PixelRectangle& other) const;
};

class PixelSurface {
 public:
  // Neither side ever grows past this: 4096 pixels is beyond any window the plotter
  // lays out, and bounds the memory a stray coordinate can claim to 64 MB.
  static constexpr int largest_side = 4096;

  PixelSurface(int width, int height, std::uint32_t background);
  ~PixelSurface();
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t background() const { return background_; }

  // Grows (never shrinks) so that the rectangle's right and bottom edges lie inside,
  // within largest_side; new pixels take the background colour.
  void grow_to_hold(const PixelRectangle& area);

  // The caller keeps (x, y) inside the surface.
  void set(int x, int y, std::uint32_t colour) {
    pixels_[static_cast<std::size_t>(y) * row_pixels_ + static_cast<std::size_t>(x)] = colour;
  }
  std::uint32_t at(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * row_pixels_ + static_cast<std::size_t>(x)] &
           0xFFFFFFu;
  }
  const std::uint32_t* row(int y) const {
    return pixels_ + static_cast<std::size_t>(y) * row_pixels_;
  }

  // Clipped to the surface.
  void fill(const PixelRectangle& area, std::uint32_t colour);
  void clear() { fill(PixelRectangle{0, 0, width_ - 1, height_ - 1}, background_); }

  // Damage: the part changed since take_damage was last called.
  void add_damage(const PixelRectangle& area) { damage_ = damage_.union_with(area); }
  bool damaged() const { return !damage_.empty(); }
  PixelRectangle take_damage();

  // For drawing with cairo: flushes direct pixel writes before, marks after.
  cairo_surface_t* begin_cairo_drawing();
  void end_cairo_drawing();

  // Writes the surface as PNG; on failure the message says why.
  bool write_png(std::string_view path, std::string& error) const;

 private:
  void allocate(int width, int height);

  cairo_surface_t* surface_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  std::size_t row_pixels_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::uint32_t background_;
  PixelRectangle damage_;
};

}  // namespace curvist
