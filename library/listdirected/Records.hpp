#pragma once
// A text file held in memory, read record by record (a record is one line) the way
// Fortran's formatted sequential input sees it: a line ends at a line feed, a carriage
// return just before it belongs to the line end, and a last line without a line feed is
// still a record.

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

}  // namespace curvist
