#pragma once
// The two header numbers of a data file as the reader and the pre-check take them: each
// from a line of its own, minus the number of curves, then the number of points.

#include <array>
#include <cstdint>

#include "files/FileText.hpp"
#include "listdirected/ListDirectedInput.hpp"
#include "text/Refusal.hpp"

namespace curvist {

using HeaderNumbers = std::array<std::int32_t, 2>;

// Reads them from `input`, which is left at the line after them.
Refusable<HeaderNumbers> read_header_lines(FileText& file, RecordInput& input, Reasons reasons);

}  // namespace curvist
