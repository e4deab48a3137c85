#pragma once
// Fortran list-directed input over a file held in memory. Each read is one READ
// statement: it starts at the start of a record, takes its values across as many records
// as it needs (empty and blank records are passed over), and leaves the rest of its last
// record unread, so the next read starts on a new record.
//
// Values are separated by blanks, tabs or one comma; a slash ends the values of the
// statement; r*c stands for r copies of c, and r* or an empty place between commas for
// a null value. A null value, a slash or the end of the file before every item has its
// value, and any value that is not of the item's kind, make the read fail: an item left
// without a value would hold nothing meaningful.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "listdirected/Records.hpp"

namespace curvist {

// gfortran's limit of a repeat count r in r*c; a count may have any number of leading
// zeros.
inline constexpr std::int64_t largest_repeat_count = 200'000'000;

// Why a read statement stopped before every item had its value.
enum class ReadFault {
  none,
  unreadable_value,  // a value that is not of the item's kind: no integer, no number
  empty_value,       // a null value: nothing between two commas, or r* alone
  slash,             // a slash ended the values
  end_of_file,       // the text ended
  bad_repeat_count,  // a repeat count of 0 or above the largest
};

// How a read statement went: on success the item and position of the last value it
// read; on failure the item that got no value and where the reading stopped (the
// offending value, comma or slash, or the end of the text), so that a reader can name
// the line and the text at fault.
struct ReadStatus {
  ReadFault fault = ReadFault::none;
  std::size_t item = 0;
  std::size_t position = 0;
  // The offending value as written, up to a blank, comma or line end (a slash inside
  // it, which ends its value, kept: n/a), where there is one.
  std::string_view value;

  explicit operator bool() const { return fault == ReadFault::none; }
};

std::optional<std::int32_t> read_integer(RecordInput& input);
ReadStatus read_integers(RecordInput& input, std::span<std::int32_t> values);
ReadStatus read_reals(RecordInput& input, std::span<double> values);

// One text value, as a list-directed read of a character item gives it: leading blanks
// skipped, an unquoted value ends at a blank, comma or slash, a value in apostrophes or
// double quotes may hold them (a doubled quote stands for one). A record that holds no
// value (empty, blank, or starting with a comma or a slash) is passed over. Nothing at
// the end of the file or at a malformed value.
std::optional<std::string> read_text_value(RecordInput& input);

}  // namespace curvist
