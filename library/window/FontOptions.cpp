#include "window/FontOptions.hpp"

#include <cctype>
#include <limits>

namespace curvist {
namespace {

int read_count(std::string_view options, std::size_t& position) {
  long long value = 0;
  while (position < options.size() && std::isdigit(static_cast<unsigned char>(options[position]))) {
    value = value * 10 + (options[position] - '0');
    if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
    ++position;
  }
  return static_cast<int>(value);
}

}  // namespace

FontOptions parse_font_options(std::string_view options) {
  FontOptions result;
  std::size_t position = 0;
  while (position < options.size()) {
    const char option =
        static_cast<char>(std::tolower(static_cast<unsigned char>(options[position++])));
    switch (option) {
      case 't':
        if (position < options.size() && options[position] == '\'') {
          const auto end = options.find('\'', position + 1);
          const auto stop = end == std::string_view::npos ? options.size() : end;
          result.face = std::string(options.substr(position + 1, stop - position - 1));
          position = end == std::string_view::npos ? options.size() : end + 1;
        }
        break;
      case 'h':
        result.height = read_count(options, position);
        break;
      case 'w':
        result.width = read_count(options, position);
        break;
      case 'p':
        result.proportional = true;
        break;
      default:
        // Other options (f fixed, v vector, b bold, i italic, u underline, e, n...) are
        // accepted; a count that follows one is skipped with it.
        read_count(options, position);
        break;
    }
  }
  return result;
}

}  // namespace curvist
