#pragma once
// Files the user saves of a window: named after its plot's data file (or title) with
// "-view" and a number from the second on, never in the place of a file that exists.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace curvist {

// STEM-view.EXTENSION, or STEM-view-N.EXTENSION for the N-th (N from 2).
std::string view_file_name(std::string_view stem, int number, std::string_view extension);

// The first of those names that no file has.
std::string free_view_file_name(std::string_view stem, std::string_view extension);

// Writes the pixels (0xRRGGBB, rows of `width`) as a PNG file under the first free view
// file name: written apart first, then linked into place, so that a file made meanwhile
// under the name is never replaced. The name, or empty with the reason in `error`.
std::string save_pixels_as_png(const std::vector<std::uint32_t>& pixels, int width, int height,
                               std::string_view stem, std::string& error);

}  // namespace curvist
