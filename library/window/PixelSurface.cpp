#include "window/PixelSurface.hpp"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <string>

#include "window/PixelFill.hpp"

namespace curvist {
namespace {

// One raster kept from the last surface that gave its up. Windows are drawn one after
// the other and compacted when left, so the next window takes this one instead of
// asking the system for fresh pages (and having them zeroed) every time. The X thread
// and the plotting thread may both reach a surface, hence the lock.
struct SpareRaster {
  std::mutex lock;
  Pixels pixels;
  std::size_t capacity = 0;
};

SpareRaster& spare_raster() {
  // Never taken down: at the end of the process the windows, whose surfaces give their
  // rasters back here, go after the statics made later than they were, and the redraw
  // thread may still be drawing while they go.
  static SpareRaster* const spare = new SpareRaster;
  return *spare;
}

// Beyond this a raster is given back to the system rather than kept for later: one
// window grown by a stray coordinate should not hold its memory for the whole run.
constexpr std::size_t largest_spare_pixels = std::size_t{2048} * 2048;

}  // namespace

PixelSurface::Raster PixelSurface::take_spare(std::size_t pixels) {
  SpareRaster& spare = spare_raster();
  const std::lock_guard guard(spare.lock);
  if (!spare.pixels || spare.capacity < pixels) return {};
  Raster raster{std::move(spare.pixels), spare.capacity};
  spare.capacity = 0;
  return raster;
}

void PixelSurface::keep_spare(Pixels pixels, std::size_t capacity) {
  if (!pixels || capacity > largest_spare_pixels) return;
  SpareRaster& spare = spare_raster();
  const std::lock_guard guard(spare.lock);
  // The larger one serves more windows.
  if (spare.pixels && spare.capacity >= capacity) return;
  spare.pixels = std::move(pixels);
  spare.capacity = capacity;
}

PixelRectangle PixelRectangle::intersection(const PixelRectangle& other) const {
  return {std::max(x1, other.x1), std::max(y1, other.y1), std::min(x2, other.x2),
          std::min(y2, other.y2)};
}

PixelRectangle PixelRectangle::union_with(const PixelRectangle& other) const {
  if (empty()) return other;
  if (other.empty()) return *this;
  return {std::min(x1, other.x1), std::min(y1, other.y1), std::max(x2, other.x2),
          std::max(y2, other.y2)};
}

PixelSurface::PixelSurface(int width, int height, std::uint32_t background)
    : width_(std::clamp(width, 1, largest_window_side)),
      height_(std::clamp(height, 1, largest_window_side)),
      background_(background) {
  compact_rows_ = uniform_rows(width_, height_, background_);
}

PixelSurface::~PixelSurface() {
  cairo_surface_destroy(surface_);
  keep_spare(std::move(raster_.pixels), raster_.capacity);
}

PixelSurface::Raster PixelSurface::release_raster() {
  // The cairo surface only borrows the pixels: it goes first.
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  pixels_ = nullptr;
  row_pixels_ = 0;
  return std::move(raster_);
}

void PixelSurface::allocate(int width, int height) {
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
  const std::size_t row_pixels = static_cast<std::size_t>(stride) / 4;
  const std::size_t needed = row_pixels * static_cast<std::size_t>(height);
  Raster raster = take_spare(needed);
  if (!raster.pixels) {
    // Left unset: every caller writes each pixel before anything reads it.
    raster.pixels.reset(static_cast<std::uint32_t*>(large_memory(needed * sizeof(std::uint32_t))));
    raster.capacity = needed;
  }
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(raster.pixels.get()),
                                          CAIRO_FORMAT_RGB24, width, height, stride);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    keep_spare(std::move(raster.pixels), raster.capacity);
    throw std::bad_alloc();
  }
  surface_ = surface;
  raster_ = std::move(raster);
  pixels_ = raster_.pixels.get();
  row_pixels_ = row_pixels;
  width_ = width;
  height_ = height;
}

void PixelSurface::compact() {
  if (compacted()) return;
  cairo_surface_flush(surface_);
  compact_rows_ = encode_rows(pixels_, row_pixels_, width_, height_);
  Raster raster = release_raster();
  keep_spare(std::move(raster.pixels), raster.capacity);
}

void PixelSurface::give_back() {
  if (!compacted()) {
    Raster raster = release_raster();
    keep_spare(std::move(raster.pixels), raster.capacity);
  }
  compact_rows_ = uniform_rows(width_, height_, background_);
  damage_ = {};
}

void PixelSurface::expand() {
  if (!compacted()) return;
  allocate(width_, height_);
  for (int y = 0; y < height_; ++y)
    decode_row_part(compact_rows_, y, 0, width_ - 1,
                    pixels_ + static_cast<std::size_t>(y) * row_pixels_);
  cairo_surface_mark_dirty(surface_);
  compact_rows_ = {};
}

std::size_t PixelSurface::memory_bytes() const {
  if (compacted()) return curvist::memory_bytes(compact_rows_);
  return row_pixels_ * 4 * static_cast<std::size_t>(height_);
}

void PixelSurface::copy_area(const PixelRectangle& area, std::uint32_t* destination,
                             std::size_t destination_row_pixels) const {
  if (area.empty()) return;
  for (int y = area.y1; y <= area.y2; ++y, destination += destination_row_pixels) {
    if (compacted())
      decode_row_part(compact_rows_, y, area.x1, area.x2, destination);
    else
      std::memcpy(destination, pixels_ + static_cast<std::size_t>(y) * row_pixels_ + area.x1,
                  static_cast<std::size_t>(area.x2 - area.x1 + 1) * 4);
  }
}

void PixelSurface::clear() {
  if (compacted()) {
    compact_rows_ = uniform_rows(width_, height_, background_);
    add_damage({0, 0, width_ - 1, height_ - 1});
    return;
  }
  fill({0, 0, width_ - 1, height_ - 1}, background_);
}

void PixelSurface::grow_to_hold(const PixelRectangle& area) {
  if (area.empty() || (area.x2 < width_ && area.y2 < height_)) return;
  // Whole blocks of 64 pixels, so that a line crawling outwards does not copy the
  // surface at every step.
  const auto grown = [](int current, int needed) {
    if (needed < current) return current;
    return std::min(largest_window_side, (needed / 64 + 1) * 64);
  };
  const int new_width = grown(width_, area.x2);
  const int new_height = grown(height_, area.y2);
  if (new_width == width_ && new_height == height_) {
    expand();
    return;
  }

  // The old pixels go straight into the new raster, from whichever form they are in:
  // a compact surface is not expanded at its old size first.
  const bool was_compact = compacted();
  cairo_surface_t* const old_surface = surface_;
  Raster old_raster = std::move(raster_);
  const std::uint32_t* const old_pixels = pixels_;
  const std::size_t old_row_pixels = row_pixels_;
  const int old_width = width_;
  const int old_height = height_;
  try {
    allocate(new_width, new_height);
  } catch (...) {
    // The surface stays as it was.
    raster_ = std::move(old_raster);
    throw;
  }
  const auto new_columns = static_cast<std::size_t>(new_width - old_width);
  for (int y = 0; y < new_height; ++y) {
    std::uint32_t* row = pixels_ + static_cast<std::size_t>(y) * row_pixels_;
    if (y >= old_height) {
      fill_pixels(row, std::size_t(new_width), background_);
      continue;
    }
    if (was_compact)
      decode_row_part(compact_rows_, y, 0, old_width - 1, row);
    else
      std::memcpy(row, old_pixels + static_cast<std::size_t>(y) * old_row_pixels,
                  static_cast<std::size_t>(old_width) * 4);
    fill_pixels(row + old_width, new_columns, background_);
  }
  cairo_surface_mark_dirty(surface_);
  compact_rows_ = {};
  cairo_surface_destroy(old_surface);
  keep_spare(std::move(old_raster.pixels), old_raster.capacity);
  // What lay outside the old size is new on screen too.
  add_damage({old_width, 0, width_ - 1, height_ - 1});
  add_damage({0, old_height, width_ - 1, height_ - 1});
}

void PixelSurface::fill(const PixelRectangle& area, std::uint32_t colour) {
  const auto inside = area.intersection({0, 0, width_ - 1, height_ - 1});
  if (inside.empty()) return;
  expand();
  for (int y = inside.y1; y <= inside.y2; ++y)
    fill_pixels(pixels_ + static_cast<std::size_t>(y) * row_pixels_ + inside.x1,
                std::size_t(inside.x2 - inside.x1 + 1), colour);
  add_damage(inside);
}

PixelRectangle PixelSurface::take_damage() {
  const auto damage = damage_.intersection({0, 0, width_ - 1, height_ - 1});
  damage_ = {};
  return damage;
}

cairo_surface_t* PixelSurface::begin_cairo_drawing() {
  expand();
  cairo_surface_mark_dirty(surface_);
  return surface_;
}

void PixelSurface::end_cairo_drawing() { cairo_surface_flush(surface_); }

bool PixelSurface::write_png(std::string_view path, std::string& error) const {
  const std::string file_name(path);
  cairo_surface_t* written = surface_;
  if (compacted()) {
    // Written from a raster of its own for the moment: the surface stays compact.
    written = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
    if (cairo_surface_status(written) != CAIRO_STATUS_SUCCESS) {
      error = cairo_status_to_string(cairo_surface_status(written));
      cairo_surface_destroy(written);
      return false;
    }
    cairo_surface_flush(written);
    copy_area({0, 0, width_ - 1, height_ - 1},
              reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(written)),
              static_cast<std::size_t>(cairo_image_surface_get_stride(written)) / 4);
    cairo_surface_mark_dirty(written);
  }
  const auto status = cairo_surface_write_to_png(written, file_name.c_str());
  if (written != surface_) cairo_surface_destroy(written);
  if (status == CAIRO_STATUS_SUCCESS) return true;
  error = cairo_status_to_string(status);
  return false;
}

}  // namespace curvist
