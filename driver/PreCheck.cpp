#include "PreCheck.hpp"

#include <algorithm>
#include <cstdint>
#include <string>

#include "files/FileText.hpp"
#include "listdirected/FileInput.hpp"
#include "listdirected/Records.hpp"
#include "plotfile/HeaderLines.hpp"
#include "plotfile/RefusalReasons.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

constexpr std::int64_t minimum_line_count = 6;
constexpr std::size_t caption_lines_tested = caption_roles.size();
constexpr std::size_t line_buffer_length = 255;
// The data lines are skipped this many at a time, the text behind given back each time.
constexpr std::int64_t records_per_step = 65536;
// A file up to this size is held whole while it is checked and then read, so that its
// bytes come from the kernel once; a larger one is read again (a window at a time, as
// the check read it), since holding it whole would double the memory of its arrays.
constexpr std::size_t largest_text_held_whole = std::size_t(64) << 20;
// Case matters: 1.5e3 counts as text, 1.5E3 does not.
constexpr std::string_view number_characters = "0123456789E+-. ";

// The lines of the file, counted window by window so that, unless the text is kept
// whole, only a window of it is in memory at a time; up to a line too long for a data
// file, when there is one.
std::int64_t count_lines(FileText& file) {
  std::int64_t line_ends = 0;
  std::size_t counted = 0;
  for (;;) {
    file.read_ahead_of(counted);
    const std::string_view text = file.text();
    line_ends += count_line_ends(text, counted, text.size());
    counted = text.size();
    file.release_before(counted);
    if (file.complete()) return line_ends + (ends_inside_line(text) ? 1 : 0);
  }
}

// The checks on the text of a file opened, from its start.
Refusable<Passed> pre_check(FileText& file, Reasons reasons) {
  const std::int64_t line_count = count_lines(file);
  // The count ended at a line that no data file has (a file of zero bytes, say), which
  // is not read on to its end.
  if (file.overlong_line())
    return refusal(reasons, [&] { return overlong_line_reason(line_count + 1); });
  // Reasons count the lines before a fault: only then is the text looked at whole.
  const auto whole_text = [&] { return file.whole_text(); };
  if (line_count < minimum_line_count)
    return refusal(reasons, [&] {
      return counted(line_count, "line") + ", at least " + std::to_string(minimum_line_count) +
             " are needed";
    });

  RecordInput input{};
  const auto read_header = read_header_lines(file, input, reasons);
  if (!read_header) return read_header.refusal();
  const HeaderNumbers& header = *read_header;
  const std::int64_t product = std::int64_t(header[0]) * std::int64_t(header[1]);
  const auto promise = [&] { return header_promise(header[0], header[1]); };
  // The first header number is minus the number of curves, so this asks for 5 + K * N
  // lines: two header lines, the data lines and three captions. A first number that is
  // not negative asks for less and skips nothing; such a file passes here when lines 3 to
  // 5 look like text, and the reader then ignores it. Kept so that exactly the files
  // accepted before are accepted.
  if (line_count < 5 - product)
    return refusal(reasons, [&] {
      return counted(line_count, "line") + ", at least " + std::to_string(5 - product) +
             " are needed: " + promise();
    });
  for (std::int64_t left = -product; left > 0; left -= records_per_step) {
    const std::int64_t step = std::min(left, records_per_step);
    if (!read_from_file(file, input, [&](RecordInput& in) { return skip_records(in, step); }))
      return refusal(reasons,
                     [&] { return early_end(whole_text(), "the data lines end: " + promise()); });
    file.release_before(input.position);
  }

  for (std::size_t caption = 0; caption < caption_lines_tested; ++caption) {
    const std::size_t line_start = input.position;
    const auto line = read_from_file(file, input, read_record);
    if (!line)
      return refusal(reasons, [&] { return early_end(whole_text(), caption_roles[caption]); });
    if (!looks_like_text(*line))
      return refusal(reasons, [&] {
        return at_line(whole_text(), line_start) + std::string(caption_roles[caption]) + " " +
               quoted(without_trailing_blanks(*line)) + " is a number: " + promise();
      });
  }
  // A file cut short while it was examined was not the file that was examined.
  if (file.cut_short()) return refusal(reasons, [] { return cut_short_reason; });
  return Passed{};
}

}  // namespace

bool looks_like_text(std::string_view line) {
  const std::string_view examined = without_trailing_blanks(line.substr(0, line_buffer_length));
  return examined.empty() ||
         examined.find_first_not_of(number_characters) != std::string_view::npos;
}

Refusable<FileText> pre_checked_text(std::string_view name, Reasons reasons) {
  auto file = FileText::open(without_trailing_blanks(name));
  if (!file) return refusal(reasons, [&] { return file.why_not(); });
  if (file->size() <= largest_text_held_whole) file->keep_text_read();
  if (const auto checked = pre_check(*file, reasons); !checked) return checked.refusal();
  return std::move(*file);
}

Refusable<Passed> passes_pre_check(std::string_view name, Reasons reasons) {
  const auto text = pre_checked_text(name, reasons);
  if (!text) return text.refusal();
  return Passed{};
}

}  // namespace curvist