#pragma once
// A fixed-length, blank-padded text: a longer value is cut at the field's length, a
// shorter one padded with blanks. Trailing blanks are not significant.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "Blanks.hpp"

namespace curvist {

template <std::size_t Length>
class TextField {
 public:
  static constexpr std::size_t length = Length;

  TextField() { characters_.fill(blank); }
  explicit TextField(std::string_view text) { assign(text); }

  void assign(std::string_view text) {
    const auto kept = std::min(text.size(), Length);
    std::copy_n(text.begin(), kept, characters_.begin());
    std::fill(characters_.begin() + kept, characters_.end(), blank);
  }

  // All Length characters, trailing blanks included.
  std::string_view view() const { return {characters_.data(), Length}; }
  // The value without its trailing blanks.
  std::string_view trimmed() const { return without_trailing_blanks(view()); }
  std::string text() const { return std::string(trimmed()); }
  bool is_blank() const { return is_all_blanks(view()); }

  std::span<char, Length> characters() { return characters_; }
  char& operator[](std::size_t index) { return characters_[index]; }
  char operator[](std::size_t index) const { return characters_[index]; }

  friend bool operator==(const TextField&, const TextField&) = default;

 private:
  std::array<char, Length> characters_;
};

}  // namespace curvist
