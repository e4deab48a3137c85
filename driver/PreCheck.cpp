#include "PreCheck.hpp"

#include <algorithm>
#include <cstdint>

#include "files/MappedFile.hpp"
#include "listdirected/ListDirectedInput.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

constexpr std::int64_t minimum_line_count = 6;
constexpr int caption_lines_tested = 3;
constexpr std::size_t line_buffer_length = 255;
// The data lines are skipped this many at a time, the text behind given back each time.
constexpr std::int64_t records_per_step = 65536;
// Case matters: 1.5e3 counts as text, 1.5E3 does not.
constexpr std::string_view number_characters = "0123456789E+-. ";

// The lines of the file, counted slice by slice so that only a slice of it is in memory
// at a time.
std::int64_t count_lines(MappedFile& file) {
  constexpr std::size_t slice = std::size_t(4) << 20;
  const std::string_view text = file.text();
  std::int64_t line_ends = 0;
  for (std::size_t start = 0; start < text.size(); start += slice) {
    const std::size_t end = std::min(text.size(), start + slice);
    line_ends += count_line_ends(text, start, end);
    file.release_before(end);
  }
  return line_ends + (ends_inside_line(text) ? 1 : 0);
}

}  // namespace

bool looks_like_text(std::string_view line) {
  const std::string_view examined = without_trailing_blanks(line.substr(0, line_buffer_length));
  return examined.empty() ||
         examined.find_first_not_of(number_characters) != std::string_view::npos;
}

bool passes_pre_check(std::string_view name) {
  auto file = MappedFile::open(without_trailing_blanks(name));
  if (!file) return false;
  const std::int64_t line_count = count_lines(*file);
  if (line_count < minimum_line_count) return false;

  RecordInput input{file->text()};
  const auto first = read_integer(input);
  if (!first) return false;
  const auto second = read_integer(input);
  if (!second) return false;
  const std::int64_t product = std::int64_t(*first) * std::int64_t(*second);
  if (line_count < 5 - product) return false;
  for (std::int64_t left = -product; left > 0; left -= records_per_step) {
    if (!skip_records(input, std::min(left, records_per_step))) return false;
    file->release_before(input.position);
  }

  for (int caption = 0; caption < caption_lines_tested; ++caption) {
    const auto line = read_record(input);
    if (!line || !looks_like_text(*line)) return false;
  }
  // A file cut short while it was examined was not the file that was examined.
  return !file->cut_short();
}

}  // namespace curvist
