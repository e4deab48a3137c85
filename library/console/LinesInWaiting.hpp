#pragma once
// The lines a user reads (console lines on standard output, error lines on standard
// error) come in the order the program decides them, even where a line is decided later
// than it is due: a picture finished in the background owes its " Output in " line (or
// its error line) at the place where its file plot ended. Whoever owes such lines
// registers here for as long as it may owe some, and every other line first has them
// written.
//
// What the user sees besides lines keeps that order too, without waiting for it: a
// window that appears after a line in a program that waits for every picture is shown
// once the lines owed before it are written (after_lines_in_waiting).

#include <cstdint>
#include <deque>
#include <functional>

namespace curvist {

// Writes the lines owed so far; call before writing a line of one's own.
void write_lines_in_waiting();

// Runs `due` once every line owed so far has been written: at once when none is owed,
// else right after the last of them, on the thread that writes it (the program's).
// Never waits; lines owed later do not hold it back.
void after_lines_in_waiting(std::function<void()> due);

class LinesInWaiting {
 public:
  // `write` writes every line owed so far, waiting for them where it must.
  explicit LinesInWaiting(std::function<void()> write);
  // Nothing more will be written in the place of what is still owed: what waited for it
  // runs now.
  ~LinesInWaiting();
  LinesInWaiting(const LinesInWaiting&) = delete;
  LinesInWaiting& operator=(const LinesInWaiting&) = delete;

  // One more piece of output is owed: the lines of one outcome, decided later (it may
  // turn out to have none).
  void owe();
  // The oldest piece owed has been written: whatever was due after it runs.
  void written();

 private:
  friend void write_lines_in_waiting();
  friend void after_lines_in_waiting(std::function<void()> due);

  // Runs `due` once what `first` and the owers outside it owe now has been written: it
  // waits at the first of them that owes anything, then at the next.
  static void run_after(LinesInWaiting* first, std::function<void()> due);

  // Counted from the start: the pieces owed so far, and those written.
  std::uint64_t owed_ = 0;
  std::uint64_t written_ = 0;
  struct Due {
    std::uint64_t position;  // runs once this many pieces are written
    std::function<void()> run;
  };
  std::deque<Due> due_;
  std::function<void()> write_;
  LinesInWaiting* previous_;
};

}  // namespace curvist
