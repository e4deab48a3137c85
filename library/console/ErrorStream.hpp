#pragma once
// Where the error lines of a run go: standard error for a program, a recorder in tests.
// Every line written here comes after the lines owed before it (LinesInWaiting), so no
// writer can put a line ahead of a picture's line that is due first. The objects of a
// platform that write error lines of their own (the pictures' program, the screen
// windows) are handed the stream they write to.

#include <string_view>

namespace curvist {

class ErrorStream {
 public:
  virtual ~ErrorStream() = default;

  // Writes the lines owed so far, then `line` (one whole line, without its line end).
  void write_line(std::string_view line);
  // Writes lines that were owed, as they are (each with its line end): only whoever owes
  // them writes them, while the lines in waiting are written.
  void write_owed_lines(std::string_view lines) { put(lines); }

 protected:
  // Writes `text` (lines with their line ends) at once.
  virtual void put(std::string_view text) = 0;
};

// The process's standard error.
ErrorStream& standard_error();

}  // namespace curvist
