#include "pgplot/DeviceSpecification.hpp"

#include <algorithm>
#include <cctype>

#include "text/Blanks.hpp"

namespace curvist {

std::optional<DeviceSpecification> parse_device_specification(std::string_view specification) {
  const auto slash = specification.rfind('/');
  if (slash == std::string_view::npos) return std::nullopt;
  DeviceSpecification parsed;
  parsed.file_name = std::string(without_blanks_around(specification.substr(0, slash)));
  parsed.device_type = std::string(without_blanks_around(specification.substr(slash + 1)));
  std::transform(parsed.device_type.begin(), parsed.device_type.end(), parsed.device_type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return parsed;
}

}  // namespace curvist
