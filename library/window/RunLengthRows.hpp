#pragma once
// Rows of 32-bit pixels kept as runs of equal pixels: the compact form of a window's
// pixels while nothing is drawn into it. A plot is mostly flat colour, so a row of a
// thousand pixels is a few dozen runs, and the form gives every pixel back bit for bit.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace curvist {

struct RunLengthRows {
  int width = 0;
  int height = 0;
  // The runs of all rows one after another: a pixel value and how many pixels in a row
  // have it (1 to width, which never exceeds 65535).
  std::vector<std::uint32_t> colours;
  std::vector<std::uint16_t> lengths;
  // Where each row's runs begin; one more entry than there are rows.
  std::vector<std::uint32_t> row_starts;
};

// The rows of a raster whose rows lie row_pixels apart.
RunLengthRows encode_rows(const std::uint32_t* pixels, std::size_t row_pixels, int width,
                          int height);

// Every pixel the same.
RunLengthRows uniform_rows(int width, int height, std::uint32_t colour);

// Writes the pixels first_x..last_x of row y to destination; the caller keeps them
// inside the rows.
void decode_row_part(const RunLengthRows& rows, int y, int first_x, int last_x,
                     std::uint32_t* destination);

std::uint32_t pixel_at(const RunLengthRows& rows, int x, int y);

// Heap bytes the rows hold.
std::size_t memory_bytes(const RunLengthRows& rows);

}  // namespace curvist
