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

std::optional<std::int32_t> read_integer(RecordInput& input);
bool read_integers(RecordInput& input, std::span<std::int32_t> values);
bool read_reals(RecordInput& input, std::span<double> values);

// One text value, as a list-directed read of a character item gives it: leading blanks
// skipped, an unquoted value ends at a blank, comma or slash, a value in apostrophes or
// double quotes may hold them (a doubled quote stands for one). A record that holds no
// value (empty, blank, or starting with a comma or a slash) is passed over. Nothing at
// the end of the file or at a malformed value.
std::optional<std::string> read_text_value(RecordInput& input);

}  // namespace curvist
