#pragma once
// A text file held in memory, read record by record (a record is one line) the way
// Fortran's formatted sequential input sees it: a line ends at a line feed, a carriage
// return just before it belongs to the line end, and a last line without a line feed is
// still a record.
//
// A carriage return that no line feed follows (the line end of old Mac files, or a stray
// one inside a line) ends a line too, for every read alike. gfortran ends a line there
// when it reads lines but takes it as a blank inside list-directed reads, so its line
// count and its number reads could disagree about where the lines of one file are.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace curvist {

struct RecordInput {
  std::string_view text;
  std::size_t position = 0;  // between two reads: the start of a record, or the end
};

inline bool at_end(const RecordInput& input) { return input.position >= input.text.size(); }

// The whole next record, without its line end; nothing at end of file.
std::optional<std::string_view> read_record(RecordInput& input);

// Passes over `count` records; false when the file ends first.
bool skip_records(RecordInput& input, std::int64_t count);

// Moves from anywhere inside a record to the start of the next one.
void advance_to_next_record(RecordInput& input);

// The line ends (a line feed, or a carriage return no line feed follows) that stand at
// positions from to to - 1 of text. A carriage return and its line feed count once, at
// the line feed.
std::int64_t count_line_ends(std::string_view text, std::size_t from, std::size_t to);

// True when the text ends inside a line: its last line has no line end, and is a record
// all the same.
bool ends_inside_line(std::string_view text);

std::int64_t count_records(std::string_view text);

// The number, from 1, of the line on which `position` stands.
std::int64_t line_number_at(std::string_view text, std::size_t position);

}  // namespace curvist
