#include "plot/CaptionCleaning.hpp"

#include <algorithm>
#include <string>
#include <string_view>

#include "text/Blanks.hpp"

namespace curvist::plot {

void remove_escape_pairs(std::span<char> field) {
  for (const std::string_view pair : {"\\u", "\\d", "\\g"}) {
    for (;;) {
      const std::string_view text(field.data(), field.size());
      const auto position = text.find(pair);
      if (position == std::string_view::npos) break;
      // Each removal shortens the text by at least the pair, so the loop ends.
      const std::string joined = std::string(without_blanks_around(text.substr(0, position))) +
                                 std::string(without_blanks_around(text.substr(position + 2)));
      std::fill(std::copy(joined.begin(), joined.end(), field.begin()), field.end(), blank);
    }
  }
}

}  // namespace curvist::plot
