// Fuzzes the list file: reading names from any content ends, and every name the program
// lists itself reads back whole from the line it writes for it.
#include <cstdint>

#include "FuzzInput.hpp"
#include "ListFile.hpp"
#include "listdirected/ListDirectedInput.hpp"

using namespace curvist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzzing::as_text(data, size);

  RecordInput list{text};
  std::size_t names = 0;
  while (const auto name = read_next_name(list)) {
    if (++names > text.size()) fuzzing::broken("each name takes at least one byte of the list");
  }

  // File names hold any byte but the line break and NUL.
  if (text.find_first_of(std::string_view("\n\0", 2)) != std::string_view::npos) return 0;
  if (text.empty()) return 0;
  const std::string line = list_line_for(text) + "\n";
  RecordInput written{line};
  const auto read_back = read_text_value(written);
  if (!read_back || *read_back != text) fuzzing::broken("a listed name reads back whole");
  return 0;
}
