#include "plotfile/RefusalReasons.hpp"

#include <cstdio>

#include "files/FileText.hpp"
#include "listdirected/Records.hpp"

namespace curvist {
namespace {

// Enough to recognise a value or a caption; a number of a million digits is not shown
// whole.
constexpr std::size_t longest_quotation = 40;

// A UTF-8 character is not cut in two.
std::size_t cut_before_character(std::string_view text, std::size_t length) {
  if (length >= text.size()) return text.size();
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  return length;
}

}  // namespace

std::string at_line(std::string_view text, std::size_t position) {
  return "line " + std::to_string(line_number_at(text, position)) + ": ";
}

std::string quoted(std::string_view text) {
  const std::size_t shown = cut_before_character(text, longest_quotation);
  std::string result = "\"";
  for (const char character : text.substr(0, shown)) {
    const auto byte = static_cast<unsigned char>(character);
    if (byte < 0x20 || byte == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      result += escaped;
    } else {
      result.push_back(character);
    }
  }
  result.push_back('"');
  if (shown < text.size()) result += "...";
  return result;
}

std::string counted(std::int64_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

std::string header_promise(std::int64_t first, std::int64_t second) {
  if (first < 0 && second > 0)
    return "the header promises " + counted(-first, "curve") + " of " + counted(second, "point");
  const std::int64_t data_lines = -first * second;
  return "the header numbers " + std::to_string(first) + " and " + std::to_string(second) +
         " promise " + (data_lines > 0 ? counted(data_lines, "data line") : "no data lines");
}

std::string overlong_line_reason(std::int64_t line) {
  return "line " + std::to_string(line) + ": longer than " +
         std::to_string(FileText::longest_line) + " bytes, which no line of a data file is";
}

std::string early_end(std::string_view text, std::string_view missing) {
  if (text.empty()) return "the file is empty";
  return "the file ends after line " + std::to_string(count_records(text)) + ", before " +
         std::string(missing);
}

std::string read_fault_reason(std::string_view text, const ReadStatus& status,
                              std::string_view expected, std::string_view role) {
  if (status.fault == ReadFault::end_of_file)
    return early_end(text, role.empty() ? expected : role);
  std::string reason = at_line(text, status.position);
  switch (status.fault) {
    case ReadFault::unreadable_value:
      reason += quoted(status.value) + " is not " + std::string(expected);
      break;
    case ReadFault::empty_value:
      reason += "an empty value where " + std::string(expected) + " is needed";
      break;
    case ReadFault::slash:
      reason += "a slash ends the values where " + std::string(expected) + " is needed";
      break;
    case ReadFault::bad_repeat_count:
      reason += "the repeat count of " + quoted(status.value) + " is not from 1 to " +
                std::to_string(largest_repeat_count);
      break;
    case ReadFault::none:
    case ReadFault::end_of_file:
      break;
  }
  if (!role.empty()) reason += " (" + std::string(role) + ")";
  return reason;
}

}  // namespace curvist
