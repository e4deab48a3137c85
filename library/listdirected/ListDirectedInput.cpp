#include "listdirected/ListDirectedInput.hpp"

#include <charconv>

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

bool starts_plain_number(char character) {
  return (character >= '0' && character <= '9') || character == '-' || character == '.';
}

bool is_blank_or_tab(char character) { return character == ' ' || character == '\t'; }

// The usual data line: plain decimals on one record, apart by blanks or one comma. Read
// straight from the text; anything else (repeat counts, null values, a plus sign, D
// exponents, values across records, a slash) is left to the full scanner, which gives
// the same values for these lines, only slower. False without moving when it does not
// apply.
bool read_plain_reals(RecordInput& input, std::span<double> values) {
  const char* position = input.text.data() + input.position;
  const char* const end = input.text.data() + input.text.size();
  for (std::size_t index = 0; index < values.size(); ++index) {
    while (position < end && is_blank_or_tab(*position)) ++position;
    if (index > 0 && position < end && *position == ',') {
      ++position;
      while (position < end && is_blank_or_tab(*position)) ++position;
    }
    if (position == end || !starts_plain_number(*position)) return false;
    const auto [number_end, error] = std::from_chars(position, end, values[index]);
    if (error != std::errc()) return false;
    position = number_end;
    // The value must end where list-directed input ends it.
    if (position < end && !is_blank_or_tab(*position) && *position != ',' && *position != '\n' &&
        *position != '\r' && *position != '/' && *position != ';')
      return false;
    if (index + 1 < values.size() && position < end && *position != ',' &&
        !is_blank_or_tab(*position))
      return false;
  }
  input.position = std::size_t(position - input.text.data());
  advance_to_next_record(input);
  return true;
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
  return read_plain_reals(input, values) || read_numbers(input, values, parse_real);
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
