#include "FormatText.hpp"

#include <cctype>
#include <limits>

namespace curvist::fortranformat {
namespace {

std::string without_blanks(std::string_view text) {
  std::string kept;
  for (const char character : text)
    if (character != ' ') kept.push_back(character);
  return kept;
}

// A run of decimal digits at position; nothing when there is none or it is too large.
std::optional<int> read_count(std::string_view text, std::size_t& position) {
  const auto start = position;
  long long value = 0;
  while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position]))) {
    value = value * 10 + (text[position] - '0');
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    ++position;
  }
  if (position == start) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<RealEdit> parse_format_text(std::string_view text) {
  const auto compact = without_blanks(text);
  const std::string_view view = compact;
  if (view.size() < 6 || view.front() != '(' || view.back() != ')') return std::nullopt;
  RealEdit edit;
  switch (std::tolower(static_cast<unsigned char>(view[1]))) {
    case 'f':
      edit.kind = RealEditKind::F;
      break;
    case 'g':
      edit.kind = RealEditKind::G;
      break;
    default:
      return std::nullopt;
  }
  std::size_t position = 2;
  const auto width = read_count(view, position);
  if (!width || *width == 0 || position >= view.size() || view[position] != '.')
    return std::nullopt;
  ++position;
  const auto digits = read_count(view, position);
  if (!digits || position != view.size() - 1) return std::nullopt;
  edit.width = *width;
  edit.digits = *digits;
  return edit;
}

std::string format_text(RealEdit edit) {
  return std::string("(") + (edit.kind == RealEditKind::F ? "f" : "g") +
         std::to_string(edit.width) + "." + std::to_string(edit.digits) + ")";
}

}  // namespace curvist::fortranformat
