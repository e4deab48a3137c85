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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t plan = data[0];
  const std::string_view text = fuzzing::as_text(data + 1, size - 1);

  if (const auto integer = parse_integer(text)) {
    if (text.find_first_of(".eEdD") != std::string_view::npos)
      fuzzing::broken("an integer holds no decimal point or exponent");
  }
  if (const auto real = parse_real(text)) (void)std::isfinite(*real);

  RecordInput input{text};
  std::size_t last_position = 0;
  for (int statement = 0; !at_end(input); ++statement) {
    switch ((plan >> (2 * (statement % 4))) & 3) {
      case 0: {
        std::array<std::int32_t, 2> values{};
        (void)read_integers(input, values);
        break;
      }
      case 1: {
        std::array<double, 2> values{};
        (void)read_reals(input, values);
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
