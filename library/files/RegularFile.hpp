#pragma once
// Reading a whole file into memory, for files that can be read without waiting: only a
// regular file (or a link to one) is opened, never a directory, FIFO or device.

#include <optional>
#include <string>
#include <string_view>

namespace curvist {

bool is_regular_file(std::string_view path);

// Why the path names no regular file, in a few words: "no such file", "a directory",
// "a FIFO", "a device"; empty when it names one.
std::string why_no_regular_file(std::string_view path);

// The whole content; nothing when the path names no regular file or reading fails.
std::optional<std::string> read_regular_file(std::string_view path);

}  // namespace curvist
