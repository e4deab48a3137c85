#include "window/Utf8Text.hpp"

namespace curvist {

bool is_valid_utf8(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size()) {
    const auto lead = static_cast<unsigned char>(text[position]);
    int continuation = 0;
    unsigned smallest = 0;
    unsigned code = 0;
    if (lead < 0x80) {
      ++position;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      continuation = 1;
      smallest = 0x80;
      code = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      continuation = 2;
      smallest = 0x800;
      code = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      continuation = 3;
      smallest = 0x10000;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (position + continuation >= text.size()) return false;
    for (int index = 1; index <= continuation; ++index) {
      const auto next = static_cast<unsigned char>(text[position + index]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    position += continuation + 1;
  }
  return true;
}

std::string utf8_from_window_text(std::string_view text) {
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

}  // namespace curvist
