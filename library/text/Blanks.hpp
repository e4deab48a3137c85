#pragma once
// Trimming of blanks, the way fixed-length text fields treat them: only the blank
// character counts, never tabs or other white space.

#include <string_view>

namespace curvist {

constexpr char blank = ' ';

constexpr std::string_view without_trailing_blanks(std::string_view text) {
  const auto last = text.find_last_not_of(blank);
  return last == std::string_view::npos ? text.substr(0, 0) : text.substr(0, last + 1);
}

constexpr std::string_view without_leading_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(blank);
  return first == std::string_view::npos ? text.substr(text.size()) : text.substr(first);
}

constexpr std::string_view without_blanks_around(std::string_view text) {
  return without_trailing_blanks(without_leading_blanks(text));
}

constexpr bool is_all_blanks(std::string_view text) {
  return text.find_first_not_of(blank) == std::string_view::npos;
}

}  // namespace curvist
