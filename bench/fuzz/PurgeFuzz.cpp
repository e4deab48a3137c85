// Fuzzes the caption cleaning of the screen plotter on fields of every length the
// program uses: it works in place, never beyond the field, and leaves no escape pair.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "FuzzInput.hpp"
#include "Plot.hpp"

using namespace curvist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static constexpr std::size_t lengths[] = {0, 1, 2, 80, 100, 120};
  const std::size_t length = lengths[data[0] % std::size(lengths)];
  const std::string_view text = fuzzing::as_text(data + 1, size - 1);
  // Exactly the field, so that AddressSanitizer sees any step beyond it.
  std::vector<char> field(length, ' ');
  std::copy_n(text.begin(), std::min(length, text.size()), field.begin());
  PLOTPACK::PURGE(field);
  return 0;
}
