#pragma once
// Texts handed to the windows are bytes from data files: UTF-8 when they are valid UTF-8,
// otherwise read as Latin-1, the single-byte set old data files were written in.

#include <string>
#include <string_view>

namespace curvist {

bool is_valid_utf8(std::string_view text);

// The text as UTF-8, each byte of invalid UTF-8 read as a Latin-1 character.
std::string utf8_from_window_text(std::string_view text);

}  // namespace curvist
