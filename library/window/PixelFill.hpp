#pragma once
// Filling a stretch of 32-bit pixels with one colour, the commonest thing a plot does: a
// frame, a background, a window that starts afresh. The C library's fill of wide
// characters (32 bits each here) stores as many pixels at a time as the processor takes;
// a plain loop stores them one by one.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cwchar>

namespace curvist {

inline std::uint32_t* fill_pixels(std::uint32_t* destination, std::size_t count,
                                  std::uint32_t colour) {
  static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
  // A short run costs more to hand over than to store.
  if (count < 16) return std::fill_n(destination, count, colour);
  std::wmemset(reinterpret_cast<wchar_t*>(destination), static_cast<wchar_t>(colour), count);
  return destination + count;
}

}  // namespace curvist
