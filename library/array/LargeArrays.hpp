#pragma once
// Memory for arrays of millions of values. Filled a 4 KiB page at a time, such an array
// costs the kernel a fault and a cleared page every 512 doubles; where the kernel offers
// huge pages for memory that asks for them, it costs one fault every 2 MiB instead.

#include <cstddef>

namespace curvist {

// Asks for huge pages under the whole 2 MiB steps of the `bytes` at `data` (memory of
// this program's own, not yet written); a mere request, which the kernel may not grant.
void ask_for_huge_pages(void* data, std::size_t bytes);

}  // namespace curvist
