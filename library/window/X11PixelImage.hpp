#pragma once
// How a surface's pixels (32-bit xRGB, native byte order, rows of the area's width) are
// described to Xlib: a ZPixmap image of depth 24 over memory the caller owns.
//
// Include after anything that must not see Xlib's macros (None, Bool, Status).

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>

namespace curvist {

inline XImage pixel_image(int width, int height, char* pixels) {
  XImage image{};
  image.width = width;
  image.height = height;
  image.format = ZPixmap;
  image.data = pixels;
  image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = image.byte_order;
  image.bitmap_pad = 32;
  image.depth = 24;
  image.bytes_per_line = width * 4;
  image.bits_per_pixel = 32;
  image.red_mask = 0xFF0000;
  image.green_mask = 0xFF00;
  image.blue_mask = 0xFF;
  XInitImage(&image);
  return image;
}

}  // namespace curvist
