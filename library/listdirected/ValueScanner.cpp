#include "listdirected/ValueScanner.hpp"

#include "listdirected/ListDirectedInput.hpp"

namespace curvist {
namespace {

bool is_blank_space(char character) {
  return character == ' ' || character == '\t' || character == '\r';
}

// gfortran takes a semicolon between values like a comma.
bool is_comma(char character) { return character == ',' || character == ';'; }

bool ends_value(char character) {
  return is_blank_space(character) || character == '\n' || is_comma(character) || character == '/';
}

bool is_quote(char character) { return character == '\'' || character == '"'; }

// A quoted text: a doubled quote stands for one; a line end inside the quotes joins the
// records, as gfortran does; the end of the file ends the text.
ListItem scan_quoted(StatementScan& scan) {
  const std::string_view text = scan.input.text;
  std::size_t& position = scan.input.position;
  const std::size_t start = position;
  const char quote = text[position++];
  scan.unquoted.clear();
  while (position < text.size()) {
    const char character = text[position];
    if (character == quote) {
      if (position + 1 < text.size() && text[position + 1] == quote) {
        scan.unquoted.push_back(quote);
        position += 2;
        continue;
      }
      ++position;
      if (position < text.size() && !ends_value(text[position]))
        return {ItemKind::malformed, {}, start};
      return {ItemKind::value, scan.unquoted, start};
    }
    if (character == '\n') {
      if (!scan.unquoted.empty() && scan.unquoted.back() == '\r') scan.unquoted.pop_back();
    } else {
      scan.unquoted.push_back(character);
    }
    ++position;
  }
  return {ItemKind::value, scan.unquoted, start};
}

ListItem scan_value(StatementScan& scan, ItemType type) {
  const std::string_view text = scan.input.text;
  std::size_t& position = scan.input.position;
  if (type == ItemType::text && is_quote(text[position])) return scan_quoted(scan);
  const std::size_t start = position;
  while (position < text.size() && !ends_value(text[position])) ++position;
  return {ItemKind::value, text.substr(start, position - start), start};
}

}  // namespace

ListItem next_item(StatementScan& scan, ItemType type) {
  if (scan.repeats_left > 0) {
    --scan.repeats_left;
    return scan.repeated;
  }
  const std::string_view text = scan.input.text;
  std::size_t& position = scan.input.position;
  for (;;) {
    while (position < text.size() && (is_blank_space(text[position]) || text[position] == '\n'))
      ++position;
    if (position >= text.size()) return {ItemKind::end_of_file, {}, text.size()};
    if (!is_comma(text[position])) break;
    ++position;
    if (!scan.after_value) return {ItemKind::null, {}, position - 1};
    scan.after_value = false;
  }
  if (text[position] == '/') return {ItemKind::slash, {}, position};

  // A repeat count: digits and a star, then the value or nothing (null values).
  std::size_t digits_end = position;
  while (digits_end < text.size() && text[digits_end] >= '0' && text[digits_end] <= '9')
    ++digits_end;
  if (digits_end > position && digits_end < text.size() && text[digits_end] == '*') {
    std::int64_t count = 0;
    for (std::size_t digit = position; digit < digits_end && count <= largest_repeat_count; ++digit)
      count = count * 10 + (text[digit] - '0');
    if (count == 0 || count > largest_repeat_count) {
      std::size_t value_end = digits_end;
      while (value_end < text.size() && !ends_value(text[value_end])) ++value_end;
      return {ItemKind::malformed, text.substr(position, value_end - position), position};
    }
    const std::size_t start = position;
    position = digits_end + 1;
    scan.after_value = true;
    if (position >= text.size() || ends_value(text[position])) {
      scan.repeated = {ItemKind::null, {}, start};
    } else {
      scan.repeated = scan_value(scan, type);
      if (scan.repeated.kind != ItemKind::value) return scan.repeated;
    }
    scan.repeats_left = count - 1;
    return scan.repeated;
  }
  scan.after_value = true;
  return scan_value(scan, type);
}

}  // namespace curvist
