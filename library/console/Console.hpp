#pragma once
// The text console the program talks to: whole output lines, one line of keyboard
// input, and the whole-second sleep of the window retry.

#include <string_view>

#include <curvist/Export.hpp>

namespace curvist {

class CURVIST_EXPORT Console {
 public:
  virtual ~Console() = default;
  // Writes one whole line; a list-directed line brings its own leading blank.
  virtual void write_line(std::string_view line) = 0;
  // Waits for one line of input and discards it.
  virtual void read_line() = 0;
  virtual void sleep_seconds(int seconds) = 0;
};

}  // namespace curvist
