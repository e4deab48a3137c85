#include "fortranformat/IntegerEditing.hpp"

namespace curvist::fortranformat {

std::string edit_integer(long long value, int width) {
  if (width <= 0) return {};
  const auto digits = std::to_string(value);
  if (static_cast<int>(digits.size()) > width) return std::string(width, '*');
  return std::string(width - digits.size(), ' ') + digits;
}

}  // namespace curvist::fortranformat
