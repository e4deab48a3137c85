#include "window/RunLengthRows.hpp"

#include <algorithm>
#include <cstring>

#include "window/PixelFill.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace curvist {
namespace {

// Runs longer than a length can hold are split; rows never get that wide.
constexpr int longest_run = 65535;

// Where the run of `colour` that starts at row[x] ends, at the latest at `limit`. A plot
// is mostly long flat runs: they are passed over sixteen pixels, then four, per
// comparison, and only the last few pixel by pixel.
int run_end(const std::uint32_t* row, int x, int limit, std::uint32_t colour) {
  ++x;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi32(static_cast<int>(colour));
  const auto same = [&](int at) {
    return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + at)), wanted);
  };
  while (x + 16 <= limit) {
    const __m128i all = _mm_and_si128(_mm_and_si128(same(x), same(x + 4)),
                                      _mm_and_si128(same(x + 8), same(x + 12)));
    if (_mm_movemask_epi8(all) != 0xFFFF) break;
    x += 16;
  }
#endif
  const std::uint64_t pair = colour | (std::uint64_t{colour} << 32);
  while (x + 4 <= limit) {
    std::uint64_t first;
    std::uint64_t second;
    std::memcpy(&first, row + x, sizeof first);
    std::memcpy(&second, row + x + 2, sizeof second);
    if (((first ^ pair) | (second ^ pair)) != 0) break;
    x += 4;
  }
  while (x < limit && row[x] == colour) ++x;
  return x;
}

}  // namespace

RunLengthRows encode_rows(const std::uint32_t* pixels, std::size_t row_pixels, int width,
                          int height) {
  RunLengthRows rows;
  rows.width = width;
  rows.height = height;
  rows.row_starts.reserve(static_cast<std::size_t>(height) + 1);
  for (int y = 0; y < height; ++y) {
    rows.row_starts.push_back(static_cast<std::uint32_t>(rows.colours.size()));
    const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * row_pixels;
    int x = 0;
    while (x < width) {
      const std::uint32_t colour = row[x];
      const int end = run_end(row, x, std::min(width, x + longest_run), colour);
      rows.colours.push_back(colour);
      rows.lengths.push_back(static_cast<std::uint16_t>(end - x));
      x = end;
    }
  }
  rows.row_starts.push_back(static_cast<std::uint32_t>(rows.colours.size()));
  // The rows are kept for long: no spare capacity.
  rows.colours.shrink_to_fit();
  rows.lengths.shrink_to_fit();
  return rows;
}

RunLengthRows uniform_rows(int width, int height, std::uint32_t colour) {
  RunLengthRows rows;
  rows.width = width;
  rows.height = height;
  const int runs_per_row = width <= 0 ? 0 : (width + longest_run - 1) / longest_run;
  rows.row_starts.reserve(static_cast<std::size_t>(height) + 1);
  for (int y = 0; y < height; ++y) {
    rows.row_starts.push_back(static_cast<std::uint32_t>(rows.colours.size()));
    for (int run = 0; run < runs_per_row; ++run) {
      rows.colours.push_back(colour);
      rows.lengths.push_back(static_cast<std::uint16_t>(
          run + 1 < runs_per_row ? longest_run : width - run * longest_run));
    }
  }
  rows.row_starts.push_back(static_cast<std::uint32_t>(rows.colours.size()));
  return rows;
}

void decode_row_part(const RunLengthRows& rows, int y, int first_x, int last_x,
                     std::uint32_t* destination) {
  std::size_t run = rows.row_starts[static_cast<std::size_t>(y)];
  int run_start = 0;
  // Runs wholly left of the part are passed over.
  while (run_start + rows.lengths[run] <= first_x) run_start += rows.lengths[run++];
  int x = first_x;
  while (x <= last_x) {
    const int run_end = std::min(run_start + rows.lengths[run], last_x + 1);
    destination = fill_pixels(destination, std::size_t(run_end - x), rows.colours[run]);
    x = run_end;
    run_start += rows.lengths[run++];
  }
}

std::uint32_t pixel_at(const RunLengthRows& rows, int x, int y) {
  std::uint32_t pixel;
  decode_row_part(rows, y, x, x, &pixel);
  return pixel;
}

std::size_t memory_bytes(const RunLengthRows& rows) {
  return rows.colours.capacity() * sizeof(std::uint32_t) +
         rows.lengths.capacity() * sizeof(std::uint16_t) +
         rows.row_starts.capacity() * sizeof(std::uint32_t);
}

}  // namespace curvist
