#include "trace/TraceLine.hpp"

#include <array>
#include <charconv>

namespace curvist {
namespace {

template <typename Number>
void append_number(std::string& text, Number value) {
  std::array<char, 64> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  text.push_back(' ');
  text.append(buffer.data(), result.ptr);
}

}  // namespace

TraceLine& TraceLine::word(std::string_view word) {
  text_.push_back(' ');
  text_.append(word);
  return *this;
}

TraceLine& TraceLine::quoted(std::string_view text) {
  text_.append(" \"");
  for (const char character : text) {
    if (character == '\\' || character == '"') text_.push_back('\\');
    text_.push_back(character);
  }
  text_.push_back('"');
  return *this;
}

TraceLine& TraceLine::number(int value) {
  append_number(text_, value);
  return *this;
}
TraceLine& TraceLine::number(std::int64_t value) {
  append_number(text_, value);
  return *this;
}
TraceLine& TraceLine::number(float value) {
  append_number(text_, value);
  return *this;
}
TraceLine& TraceLine::number(double value) {
  append_number(text_, value);
  return *this;
}

}  // namespace curvist
