#pragma once
// Where the error lines of a run go: standard error for a program, a recorder in tests.
// Every line written here comes after the lines owed before it (LinesInWaiting), so no
// writer can put a line ahead of a picture's line that is due first.

#include <string_view>

namespace curvist {

class ErrorStream {
 public:
  virtual ~ErrorStream() = default;

  // Writes the lines owed so far, then `line` (one whole line, without its line end).
  void write_line(std::string_view line);

 protected:
  // Writes `line` and its line end, at once.
  virtual void put_line(std::string_view line) = 0;
};

// The process's standard error.
ErrorStream& standard_error();

}  // namespace curvist
