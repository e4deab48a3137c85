// Fuzzes list-directed input: the fuzzer's bytes are a file read by a sequence of READ
// statements whose kinds come from the first byte, and each value parser on its own.
#include <array>
#include <cmath>
#include <cstdint>

#include "FuzzInput.hpp"
#include "listdirected/ListDirectedInput.hpp"
#include "listdirected/NumberParsing.hpp"
#include "listdirected/Records.hpp"

using namespace curvist;

namespace {

// A read says truly where it stopped: inside the text, at an item of the statement, the
// offending value quoted from the text at that place.
void check_status(std::string_view text, const ReadStatus& status, std::size_t items) {
  if (status.item >= items) fuzzing::broken("the status names an item of the statement");
  if (status.position > text.size()) fuzzing::broken("the status stands inside the text");
  if (status && status.fault != ReadFault::none) fuzzing::broken("a success has no fault");
  if (!status && status.fault == ReadFault::none) fuzzing::broken("a failure has a fault");
  if (!status.value.empty() && status.value.data() != text.data() + status.position)
    fuzzing::broken("the offending value is the text where the read stopped");
  if (status.fault == ReadFault::end_of_file && status.position != text.size())
    fuzzing::broken("the end of the file stands at the end of the text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t plan = data[0];
  const std::string_view text = fuzzing::as_text(data + 1, size - 1);

  if (const auto integer = parse_integer(text)) {
    if (text.find_first_of(".eEdD") != std::string_view::npos)
      fuzzing::broken("an integer holds no decimal point or exponent");
    if (text.size() > 1 && (text[0] == '+' || text[0] == '-') && (text[1] == '+' || text[1] == '-'))
      fuzzing::broken("an integer has one sign at most");
  }
  if (const auto real = parse_real(text)) (void)std::isfinite(*real);

  // Counting, reading and numbering agree about where the records are.
  const std::int64_t records = count_records(text);
  std::int64_t read = 0;
  for (RecordInput all{text}; read_record(all);) ++read;
  if (read != records) fuzzing::broken("as many records are read as are counted");
  if (line_number_at(text, text.size()) != records + (ends_inside_line(text) ? 0 : 1))
    fuzzing::broken("the end of the text stands on the line after the last record");

  RecordInput input{text};
  std::size_t last_position = 0;
  for (int statement = 0; !at_end(input); ++statement) {
    switch ((plan >> (2 * (statement % 4))) & 3) {
      case 0: {
        std::array<std::int32_t, 2> values{};
        check_status(text, read_integers(input, values), values.size());
        break;
      }
      case 1: {
        std::array<double, 2> values{};
        check_status(text, read_reals(input, values), values.size());
        break;
      }
      case 2: {
        if (const auto value = read_text_value(input)) {
          if (value->size() > text.size()) fuzzing::broken("a text value comes from the file");
        }
        break;
      }
      default:
        if (!read_record(input)) fuzzing::broken("a record is there before the end");
        break;
    }
    if (input.position > text.size()) fuzzing::broken("the position stays inside the file");
    // A failed read may stop where it began only if it read nothing; reads must move on
    // or the driver and the reader would loop for ever.
    if (input.position == last_position && !at_end(input)) {
      if (!read_record(input)) fuzzing::broken("a record is there before the end");
    }
    last_position = input.position;
  }
  return 0;
}
