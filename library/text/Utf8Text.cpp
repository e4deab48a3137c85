#include "text/Utf8Text.hpp"

#include <algorithm>

namespace curvist {
namespace {

bool is_continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::size_t utf8_sequence_length(char lead) {
  const auto value = static_cast<unsigned char>(lead);
  if ((value & 0xE0) == 0xC0) return 2;
  if ((value & 0xF0) == 0xE0) return 3;
  if ((value & 0xF8) == 0xF0) return 4;
  return 1;
}

bool is_valid_utf8(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size()) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) {
      ++position;
      continue;
    }
    const std::size_t length = utf8_sequence_length(text[position]);
    if (length == 1 || position + length > text.size()) return false;
    static constexpr unsigned lead_bits[] = {0, 0, 0x1F, 0x0F, 0x07};
    static constexpr unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    unsigned code = lead & lead_bits[length];
    for (std::size_t index = 1; index < length; ++index) {
      const char next = text[position + index];
      if (!is_continuation(next)) return false;
      code = (code << 6) | (static_cast<unsigned char>(next) & 0x3Fu);
    }
    // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    position += length;
  }
  return true;
}

std::string utf8_from_text(std::string_view text) {
  if (is_valid_utf8(text)) return std::string(text);
  std::string result;
  result.reserve(text.size() * 2);
  for (const char byte : text) {
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x80) {
      result.push_back(byte);
    } else {
      result.push_back(static_cast<char>(0xC0 | (value >> 6)));
      result.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    }
  }
  return result;
}

std::size_t character_count(std::string_view text) {
  if (!is_valid_utf8(text)) return text.size();
  std::size_t count = 0;
  for (const char byte : text) count += is_continuation(byte) ? 0 : 1;
  return count;
}

std::size_t bytes_of_leading_characters(std::string_view text, std::size_t characters) {
  if (!is_valid_utf8(text)) return std::min(text.size(), characters);
  std::size_t position = 0;
  for (std::size_t counted = 0; counted < characters && position < text.size(); ++counted)
    position += utf8_sequence_length(text[position]);
  return position;
}

}  // namespace curvist
