#include "listdirected/Records.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace curvist {
namespace {

constexpr char line_feed = '\n';
constexpr char carriage_return = '\r';

struct RecordEnd {
  std::size_t end;   // where the record's text ends
  std::size_t next;  // where the next record starts
};

const char* find(std::string_view text, std::size_t from, std::size_t to, char wanted) {
  if (from >= to) return nullptr;
  return static_cast<const char*>(std::memchr(text.data() + from, wanted, to - from));
}

RecordEnd end_of_record(std::string_view text, std::size_t from) {
  const char* feed = find(text, from, text.size(), line_feed);
  const std::size_t feed_at = feed == nullptr ? text.size() : std::size_t(feed - text.data());
  if (const char* carriage = find(text, from, feed_at, carriage_return)) {
    const auto return_at = std::size_t(carriage - text.data());
    const bool before_line_feed = return_at + 1 == feed_at && feed != nullptr;
    return {return_at, before_line_feed ? feed_at + 1 : return_at + 1};
  }
  return {feed_at, feed == nullptr ? feed_at : feed_at + 1};
}

bool ends_line(std::string_view text, std::size_t at) {
  return text[at] == line_feed ||
         (text[at] == carriage_return && (at + 1 == text.size() || text[at + 1] != line_feed));
}

}  // namespace

std::optional<std::string_view> read_record(RecordInput& input) {
  if (at_end(input)) return std::nullopt;
  const RecordEnd end = end_of_record(input.text, input.position);
  const std::string_view record = input.text.substr(input.position, end.end - input.position);
  input.position = end.next;
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
  input.position = end_of_record(input.text, input.position).next;
}

std::int64_t count_line_ends(std::string_view text, std::size_t from, std::size_t to) {
  std::int64_t count = 0;
  // Line feeds are counted a block at a time, in byte-wide counters the compiler can
  // keep side by side in one register: a call of memchr for every line of a few bytes
  // costs five times as much.
  constexpr std::size_t lanes = 32;
  constexpr std::size_t block = 255 * lanes;  // a byte counter holds 255
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t at = from;
  while (to - at >= lanes) {
    const std::size_t end = at + std::min(block, (to - at) / lanes * lanes);
    std::array<unsigned char, lanes> counters{};
    for (; at < end; at += lanes)
      for (std::size_t lane = 0; lane < lanes; ++lane)
        counters[lane] += bytes[at + lane] == line_feed ? 1 : 0;
    for (const unsigned char counted : counters) count += counted;
  }
  for (; at < to; ++at) count += bytes[at] == line_feed ? 1 : 0;
  // Carriage returns are rare: memchr finds the few there are at once.
  for (const char* found = find(text, from, to, carriage_return); found != nullptr;
       found = find(text, std::size_t(found - text.data()) + 1, to, carriage_return))
    if (ends_line(text, std::size_t(found - text.data()))) ++count;
  return count;
}

bool ends_inside_line(std::string_view text) {
  return !text.empty() && !ends_line(text, text.size() - 1);
}

std::int64_t count_records(std::string_view text) {
  return count_line_ends(text, 0, text.size()) + (ends_inside_line(text) ? 1 : 0);
}

std::int64_t line_number_at(std::string_view text, std::size_t position) {
  return 1 + count_line_ends(text, 0, std::min(position, text.size()));
}

}  // namespace curvist
