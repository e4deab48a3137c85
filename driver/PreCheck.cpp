#include "PreCheck.hpp"

#include <cstdint>

#include "files/RegularFile.hpp"
#include "listdirected/ListDirectedInput.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

constexpr std::int64_t minimum_line_count = 6;
constexpr int caption_lines_tested = 3;
constexpr std::size_t line_buffer_length = 255;
// Case matters: 1.5e3 counts as text, 1.5E3 does not.
constexpr std::string_view number_characters = "0123456789E+-. ";

}  // namespace

bool looks_like_text(std::string_view line) {
  const std::string_view examined = without_trailing_blanks(line.substr(0, line_buffer_length));
  return examined.empty() ||
         examined.find_first_not_of(number_characters) != std::string_view::npos;
}

bool passes_pre_check(std::string_view name) {
  const auto content = read_regular_file(without_trailing_blanks(name));
  if (!content) return false;
  const std::int64_t line_count = count_records(*content);
  if (line_count < minimum_line_count) return false;

  RecordInput input{*content};
  const auto first = read_integer(input);
  if (!first) return false;
  const auto second = read_integer(input);
  if (!second) return false;
  const std::int64_t product = std::int64_t(*first) * std::int64_t(*second);
  if (line_count < 5 - product) return false;
  if (-product > 0 && !skip_records(input, -product)) return false;

  for (int caption = 0; caption < caption_lines_tested; ++caption) {
    const auto line = read_record(input);
    if (!line || !looks_like_text(*line)) return false;
  }
  return true;
}

}  // namespace curvist
