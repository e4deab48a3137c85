#include "listdirected/ListDirectedInput.hpp"

#include "listdirected/NumberParsing.hpp"
#include "listdirected/ValueScanner.hpp"

namespace curvist {
namespace {

template <typename Number, typename Parse>
bool read_numbers(RecordInput& input, std::span<Number> values, Parse parse) {
  StatementScan scan(input);
  bool complete = true;
  for (Number& value : values) {
    const ListItem item = next_item(scan, ItemType::number);
    if (item.kind != ItemKind::value) {
      complete = false;
      break;
    }
    const auto parsed = parse(item.text);
    if (!parsed) {
      complete = false;
      break;
    }
    value = *parsed;
  }
  advance_to_next_record(input);
  return complete;
}

}  // namespace

std::optional<std::int32_t> read_integer(RecordInput& input) {
  std::int32_t value = 0;
  if (!read_integers(input, std::span(&value, 1))) return std::nullopt;
  return value;
}

bool read_integers(RecordInput& input, std::span<std::int32_t> values) {
  return read_numbers(input, values, parse_integer);
}

bool read_reals(RecordInput& input, std::span<double> values) {
  return read_numbers(input, values, parse_real);
}

std::optional<std::string> read_text_value(RecordInput& input) {
  for (;;) {
    StatementScan scan(input);
    const ListItem item = next_item(scan, ItemType::text);
    switch (item.kind) {
      case ItemKind::value: {
        std::string value(item.text);
        advance_to_next_record(input);
        return value;
      }
      case ItemKind::null:
      case ItemKind::slash:
        advance_to_next_record(input);
        continue;
      case ItemKind::end_of_file:
      case ItemKind::malformed:
        return std::nullopt;
    }
  }
}

}  // namespace curvist
