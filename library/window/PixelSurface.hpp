#pragma once
// The pixels of one window: a 32-bit xRGB raster held in a cairo image surface (so that
// text can be drawn into it and it can be written as PNG) that grows to hold whatever is
// drawn into it, up to a fixed bound, and remembers which part changed since it was last
// shown.
//
// A window nobody draws into keeps its pixels as run-length rows instead, a fiftieth of
// the raster or less: a thousand plot windows then hold tens of megabytes, not gigabytes.
// Reading works on either form; drawing brings the raster back first.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "array/LargeArrays.hpp"
#include "window/RunLengthRows.hpp"

namespace curvist {

// The pixels of a surface: megabytes written at once, on huge pages where there are some.
using Pixels = std::unique_ptr<std::uint32_t[], LargeMemoryRelease>;

// Inclusive pixel rectangle; empty when x1 > x2 or y1 > y2.
struct PixelRectangle {
  int x1 = 0;
  int y1 = 0;
  int x2 = -1;
  int y2 = -1;

  bool empty() const { return x1 > x2 || y1 > y2; }
  bool operator==(const PixelRectangle&) const = default;
  bool contains(int x, int y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
  PixelRectangle intersection(const PixelRectangle& other) const;
  PixelRectangle union_with(const PixelRectangle& other) const;
};

class PixelSurface {
 public:
  // Drawing beyond its window grows a surface to at most this on a side: 4096 pixels is
  // beyond any fixed size the plotter lays out, and bounds the memory a stray coordinate
  // can claim to 64 MB. A window larger than that is drawn whole all the same.
  static constexpr int largest_side = 4096;
  // No surface is larger on a side: the X server makes no larger window.
  static constexpr int largest_window_side = 32767;

  // Starts in the compact form, all background.
  PixelSurface(int width, int height, std::uint32_t background);
  ~PixelSurface();
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t background() const { return background_; }

  // The two forms. Both keep every pixel exactly; the damage is kept across a change.
  bool compacted() const { return surface_ == nullptr; }
  void compact();
  void expand();
  // The pixels will never be looked at: the raster is given back without being encoded,
  // and the surface is all background, in the compact form, at its size.
  void give_back();
  // Heap bytes the pixels take in the present form.
  std::size_t memory_bytes() const;

  // Grows (never shrinks) so that the rectangle's right and bottom edges lie inside,
  // within largest_window_side (the caller keeps a window's drawing within its grid);
  // new pixels take the background colour. Expands the surface.
  void grow_to_hold(const PixelRectangle& area);

  // Only on an expanded surface; the caller keeps (x, y) inside it.
  void set(int x, int y, std::uint32_t colour) {
    pixels_[static_cast<std::size_t>(y) * row_pixels_ + static_cast<std::size_t>(x)] = colour;
  }
  // Inside the surface, in either form.
  std::uint32_t at(int x, int y) const {
    if (compacted()) return pixel_at(compact_rows_, x, y) & 0xFFFFFFu;
    return pixels_[static_cast<std::size_t>(y) * row_pixels_ + static_cast<std::size_t>(x)] &
           0xFFFFFFu;
  }
  // Copies the area (inside the surface) into destination, whose rows lie
  // destination_row_pixels apart; in either form.
  void copy_area(const PixelRectangle& area, std::uint32_t* destination,
                 std::size_t destination_row_pixels) const;

  // Clipped to the surface; expands it.
  void fill(const PixelRectangle& area, std::uint32_t colour);
  // All background; a compact surface stays compact.
  void clear();

  // Damage: the part changed since take_damage was last called.
  void add_damage(const PixelRectangle& area) { damage_ = damage_.union_with(area); }
  bool damaged() const { return !damage_.empty(); }
  PixelRectangle take_damage();

  // For drawing with cairo: flushes direct pixel writes before, marks after. Expands the
  // surface.
  cairo_surface_t* begin_cairo_drawing();
  void end_cairo_drawing();

  // Writes the surface as PNG; on failure the message says why.
  bool write_png(std::string_view path, std::string& error) const;

 private:
  // The pixels under the cairo surface, owned apart from it so that the raster of a
  // window just compacted can serve the next window drawn into.
  struct Raster {
    Pixels pixels;
    std::size_t capacity = 0;  // in pixels
  };

  static Raster take_spare(std::size_t pixels);  // empty when none is large enough
  static void keep_spare(Pixels pixels, std::size_t capacity);

  // Makes a raster of the size the surface's pixels, none of them set yet; the raster and
  // cairo surface held before are left to the caller.
  void allocate(int width, int height);
  // Gives up the raster and its cairo surface (for compact rows to take their place).
  Raster release_raster();

  // Null while compact; the pixels are then in compact_rows_.
  cairo_surface_t* surface_ = nullptr;
  Raster raster_;
  RunLengthRows compact_rows_;
  std::uint32_t* pixels_ = nullptr;
  std::size_t row_pixels_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::uint32_t background_;
  PixelRectangle damage_;
};

}  // namespace curvist
