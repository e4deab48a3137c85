#pragma once
// A regular file's text, read with plain reads a window at a time as a reader moves from
// its start to its end. The text keeps its place in memory (positions are offsets from
// the file's start), but only the window around the reader is held: what lies behind
// can be given back, what lies ahead is read when the reader comes near it. Even a file
// far larger than the memory the reading needs costs only what is being read.
//
// The window always ends at a line end (or at the file's end), so a read that stays
// within whole lines never meets a line cut in two. A file that another program cuts
// short while it is read simply ends early; cut_short() then tells the reader to
// distrust what it read. A line longer than longest_line ends the text where it begins
// (overlong_line() tells where): such a file is no text of lines, and its line is never
// held whole, so the memory reading takes stays the window's whatever the file holds (a
// gigabyte of zero bytes, say). Only regular files (or links to them) are opened, never a
// directory, FIFO or device, so opening never waits.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/Refusal.hpp"

namespace curvist {

class FileText {
 public:
  // Refused when the path names no regular file or it cannot be opened, in a few words
  // ("no such file", "a directory", "cannot be opened: Permission denied").
  static Refusable<FileText> open(std::string_view path);

  FileText(FileText&& other) noexcept;
  FileText& operator=(FileText&& other) noexcept;
  FileText(const FileText&) = delete;
  FileText& operator=(const FileText&) = delete;
  ~FileText();

  // The file's size when it was opened (less, once it was found cut short or a line
  // too long ended its text).
  std::size_t size() const { return size_; }

  // The text read so far, from the file's start to the end of the window. Offsets before
  // the window hold nothing meaningful.
  std::string_view text() const { return {data_, visible_}; }

  // True when the text reaches the end of the file.
  bool complete() const { return visible_ == size_; }

  // The window is read on when the reader comes this close to its end.
  static constexpr std::size_t read_on_distance = std::size_t(256) << 10;

  // The longest line a text of lines has, line end aside: 64 KiB. A data file's line
  // holds two numbers (and maybe more columns, which are not read), its captions are
  // read to 100 characters and checked to 255; rows of a wide table written by a program
  // still stay far below this. The window holds several such lines.
  static constexpr std::size_t longest_line = std::size_t(64) << 10;
  static_assert(longest_line < read_on_distance);

  // Moves the window to `position` and reads ahead of it: afterwards the text goes on
  // for at least one whole line past `position`, or to the end of the file. Called for
  // every value read, so what it mostly finds (nothing to do) is found here.
  void read_ahead_of(std::size_t position) {
    const bool ahead_enough = read_to_ == size_ || read_to_ - position >= read_on_distance;
    if (position < held_from_ || position >= visible_ || !ahead_enough) move_window(position);
  }

  // The text before `position` is not needed any more.
  void release_before(std::size_t position);

  // From now on nothing read is given back, so that a second reader reads the text from
  // its start again without the kernel copying it twice: for a file whose text is small
  // enough to hold whole while it is read.
  void keep_text_read();

  // The whole text, everything given back read again: for the rare reader who must
  // look back (to count the lines before a fault, say).
  std::string_view whole_text();

  // True once the file was found shorter than when it was opened.
  bool cut_short() const { return cut_short_; }

  // Where the line that ended the text begins, once one longer than longest_line was
  // found; the text ends there.
  std::optional<std::size_t> overlong_line() const { return overlong_line_; }

 private:
  FileText(int descriptor, char* data, std::size_t mapped, std::size_t size);
  // Reads on until `end` (or the end of the file) is in memory.
  void fill_to(std::size_t end);
  void move_window(std::size_t position);
  // Gives back what is held and starts the window afresh at `position`.
  void restart_at(std::size_t position);
  // Follows the lines read so far; where one is longer than longest_line, the text ends.
  void check_line_lengths();

  int descriptor_ = -1;
  char* data_ = nullptr;       // a place as large as the file or more, filled where read
  std::size_t mapped_ = 0;     // the size of that place
  std::size_t size_ = 0;       // the file's size
  std::size_t held_from_ = 0;  // the window: the bytes from here ...
  std::size_t read_to_ = 0;    // ... to here are in memory
  std::size_t visible_ = 0;    // the end of the last whole line read
  // Where a line begins whose length is not known yet: every line before it was
  // measured. Nothing from here on is given back.
  std::size_t line_start_ = 0;
  std::optional<std::size_t> overlong_line_;
  bool cut_short_ = false;
  bool kept_ = false;
};

}  // namespace curvist
