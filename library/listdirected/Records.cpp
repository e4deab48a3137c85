#include "listdirected/Records.hpp"

#include <cstring>

namespace curvist {
namespace {

constexpr char line_feed = '\n';
constexpr char carriage_return = '\r';

std::size_t end_of_record(std::string_view text, std::size_t from) {
  const void* found = std::memchr(text.data() + from, line_feed, text.size() - from);
  return found == nullptr ? text.size()
                          : std::size_t(static_cast<const char*>(found) - text.data());
}

}  // namespace

std::optional<std::string_view> read_record(RecordInput& input) {
  if (at_end(input)) return std::nullopt;
  const std::size_t end = end_of_record(input.text, input.position);
  std::string_view record = input.text.substr(input.position, end - input.position);
  if (end < input.text.size() && !record.empty() && record.back() == carriage_return)
    record.remove_suffix(1);
  input.position = end < input.text.size() ? end + 1 : end;
  return record;
}

bool skip_records(RecordInput& input, std::int64_t count) {
  for (; count > 0; --count) {
    if (at_end(input)) return false;
    advance_to_next_record(input);
  }
  return true;
}

void advance_to_next_record(RecordInput& input) {
  if (at_end(input)) return;
  const std::size_t end = end_of_record(input.text, input.position);
  input.position = end < input.text.size() ? end + 1 : end;
}

}  // namespace curvist
