#pragma once
// Watches mapped files for pages that vanish because another program cut the file
// short. Reading such a page raises SIGBUS; the guard maps zero bytes in its place and
// marks the mapping, so the reader ends with a read failure instead of the program
// ending with a crash.

#include <cstddef>

namespace curvist {

// A slot number for the mapping, or -1 when every slot is taken (then it is unwatched).
int watch_mapping(const char* data, std::size_t size);
void stop_watching(int slot);
bool mapping_was_cut_short(int slot);

}  // namespace curvist
