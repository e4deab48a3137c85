#pragma once
// A fixed-length, blank-padded text: a longer value is cut after the field's length in
// characters, a shorter one padded with blanks to that many characters. Trailing blanks
// are not significant. Characters are counted as the rest of the program reads texts: a
// value that is valid UTF-8 by code points, any other value byte by byte (Latin-1), so a
// cut never falls inside a character and a UTF-8 field holds more bytes than characters.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "Blanks.hpp"
#include "Utf8Text.hpp"

namespace curvist {

template <std::size_t Length>
class TextField {
 public:
  static constexpr std::size_t length = Length;  // in characters

  TextField() : bytes_(Length, blank) {}
  explicit TextField(std::string_view text) { assign(text); }

  void assign(std::string_view text) {
    const std::size_t kept_bytes = bytes_of_leading_characters(text, Length);
    const std::string_view kept = text.substr(0, kept_bytes);
    bytes_.assign(kept);
    bytes_.append(Length - character_count(kept), blank);
  }

  // All Length characters, trailing blanks included.
  std::string_view view() const { return bytes_; }
  // The value without its trailing blanks.
  std::string_view trimmed() const { return without_trailing_blanks(view()); }
  std::string text() const { return std::string(trimmed()); }
  bool is_blank() const { return is_all_blanks(view()); }

  // The bytes of view(), to be changed in place. A change that keeps the characters
  // whole and their number at Length keeps the field a field.
  std::span<char> characters() { return bytes_; }
  char& operator[](std::size_t byte) { return bytes_[byte]; }
  char operator[](std::size_t byte) const { return bytes_[byte]; }

  friend bool operator==(const TextField&, const TextField&) = default;

 private:
  std::string bytes_;
};

}  // namespace curvist
