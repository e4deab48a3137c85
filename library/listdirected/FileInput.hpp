#pragma once
// List-directed reads over a file read a window at a time (FileText). Each read sees the
// text read so far; one that runs into the end of that text before the end of the file
// (blank lines longer than the window, say) is run again from the same place with more
// of the file read, so it ends exactly as it would over the whole file.

#include <optional>
#include <string_view>

#include "files/FileText.hpp"
#include "listdirected/ListDirectedInput.hpp"

namespace curvist {

inline bool ran_out_of_text(const ReadStatus& status) {
  return status.fault == ReadFault::end_of_file;
}
inline bool ran_out_of_text(const std::optional<std::string_view>& record) { return !record; }
inline bool ran_out_of_text(bool done) { return !done; }

// Runs `read` (a function of RecordInput&: a read, a record, a skip) at input.position.
template <typename Read>
auto read_from_file(FileText& file, RecordInput& input, Read&& read) {
  const std::size_t start = input.position;
  file.read_ahead_of(start);
  input.text = file.text();
  auto result = read(input);
  while (ran_out_of_text(result) && !file.complete()) {
    input.position = start;
    file.read_ahead_of(input.text.size());
    input.text = file.text();
    result = read(input);
  }
  return result;
}

}  // namespace curvist
