#include "listdirected/ListDirectedInput.hpp"

#include <charconv>
#include <cstring>

#include "listdirected/NumberParsing.hpp"
#include "listdirected/ValueScanner.hpp"

namespace curvist {
namespace {

ReadFault fault_of(ItemKind kind) {
  switch (kind) {
    case ItemKind::value:
      return ReadFault::none;
    case ItemKind::null:
      return ReadFault::empty_value;
    case ItemKind::slash:
      return ReadFault::slash;
    case ItemKind::end_of_file:
      return ReadFault::end_of_file;
    case ItemKind::malformed:
      break;
  }
  // For numbers only a repeat count makes an item malformed.
  return ReadFault::bad_repeat_count;
}

// The text of a value as its writer sees it: up to a blank, a comma or the line end, a
// slash inside it kept (n/a, NaN(a/b)).
std::string_view written_at(std::string_view text, std::size_t position) {
  const std::size_t end = text.find_first_of(" \t\r\n,;", position);
  return text.substr(position, (end == std::string_view::npos ? text.size() : end) - position);
}

template <typename Number, typename Parse>
ReadStatus read_numbers(RecordInput& input, std::span<Number> values, Parse parse) {
  StatementScan scan(input);
  ReadStatus status;
  for (std::size_t index = 0; index < values.size(); ++index) {
    const ListItem item = next_item(scan, ItemType::number);
    status = {fault_of(item.kind), index, item.position, {}};
    if (status.fault == ReadFault::none) {
      if (const auto parsed = parse(item.text)) {
        values[index] = *parsed;
        continue;
      }
      status.fault = ReadFault::unreadable_value;
    }
    if (!item.text.empty()) status.value = written_at(input.text, item.position);
    break;
  }
  advance_to_next_record(input);
  return status;
}

bool starts_plain_number(char character) {
  return (character >= '0' && character <= '9') || character == '-' || character == '.';
}

bool is_blank_or_tab(char character) { return character == ' ' || character == '\t'; }

// A number whose mantissa from_chars has read up to a D exponent, the exponent letter of
// double precision values, which from_chars does not know. The number is read again with
// an 'e' in its place, as the full scanner reads it. Where the number ends, or null when
// the exponent has no digits or the value is out of range (left to the full scanner).
const char* reread_with_d_exponent(const char* number_start, const char* letter, const char* end,
                                   double& value) {
  const char* position = letter + 1;
  if (position < end && (*position == '+' || *position == '-')) ++position;
  const char* const digits = position;
  while (position < end && *position >= '0' && *position <= '9') ++position;
  if (position == digits) return nullptr;
  char number[64];
  const auto mantissa_length = static_cast<std::size_t>(letter - number_start);
  const auto exponent_length = static_cast<std::size_t>(position - (letter + 1));
  const std::size_t length = mantissa_length + 1 + exponent_length;
  if (length > sizeof number) return nullptr;
  std::memcpy(number, number_start, mantissa_length);
  number[mantissa_length] = 'e';
  std::memcpy(number + mantissa_length + 1, letter + 1, exponent_length);
  const auto [number_end, error] = std::from_chars(number, number + length, value);
  if (error != std::errc() || number_end != number + length) return nullptr;
  return position;
}

// The usual data line: plain decimals (E or D exponents too) on one record, apart by
// blanks or one comma. Read straight from the text; anything else (repeat counts, null
// values, a plus sign, values across records, a slash) is left to the full scanner, which gives
// the same values for these lines, only slower. False without moving when it does not
// apply.
bool read_plain_reals(RecordInput& input, std::span<double> values, ReadStatus& status) {
  const char* position = input.text.data() + input.position;
  const char* number_start = position;
  const char* const end = input.text.data() + input.text.size();
  for (std::size_t index = 0; index < values.size(); ++index) {
    while (position < end && is_blank_or_tab(*position)) ++position;
    if (index > 0 && position < end && *position == ',') {
      ++position;
      while (position < end && is_blank_or_tab(*position)) ++position;
    }
    if (position == end || !starts_plain_number(*position)) return false;
    number_start = position;
    const auto [number_end, error] = std::from_chars(position, end, values[index]);
    if (error != std::errc()) return false;
    position = number_end;
    if (position < end && (*position == 'd' || *position == 'D')) {
      position = reread_with_d_exponent(number_start, position, end, values[index]);
      if (position == nullptr) return false;
    }
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
  status = {ReadFault::none, values.size() - 1, std::size_t(number_start - input.text.data()), {}};
  return true;
}

}  // namespace

std::optional<std::int32_t> read_integer(RecordInput& input) {
  std::int32_t value = 0;
  if (!read_integers(input, std::span(&value, 1))) return std::nullopt;
  return value;
}

ReadStatus read_integers(RecordInput& input, std::span<std::int32_t> values) {
  return read_numbers(input, values, parse_integer);
}

ReadStatus read_reals(RecordInput& input, std::span<double> values) {
  ReadStatus status;
  if (read_plain_reals(input, values, status)) return status;
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
