#pragma once
// The lines a user reads (console lines on standard output, error lines on standard
// error) come in the order the program decides them, even where a line is decided later
// than it is due: a picture finished in the background owes its " Output in " line (or
// its error line) at the place where its file plot ended. Whoever owes such lines
// registers here for as long as it may owe some, and every other line first has them
// written.

#include <functional>

namespace curvist {

// Writes the lines owed so far; call before writing a line of one's own.
void write_lines_in_waiting();

class LinesInWaiting {
 public:
  // `write` writes every line owed so far, waiting for them where it must.
  explicit LinesInWaiting(std::function<void()> write);
  ~LinesInWaiting();
  LinesInWaiting(const LinesInWaiting&) = delete;
  LinesInWaiting& operator=(const LinesInWaiting&) = delete;

 private:
  friend void write_lines_in_waiting();

  std::function<void()> write_;
  LinesInWaiting* previous_;
};

}  // namespace curvist
