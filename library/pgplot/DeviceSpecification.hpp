#pragma once
// A PGPLOT device specification "FILE/TYPE" taken apart the way PGPLOT does it.

#include <optional>
#include <string>
#include <string_view>

namespace curvist {

struct DeviceSpecification {
  std::string file_name;    // without leading and trailing blanks; may be empty
  std::string device_type;  // without blanks around it, in lower case
};

// Splits at the last "/" (a file name may hold folders); nothing when there is no "/".
std::optional<DeviceSpecification> parse_device_specification(std::string_view specification);

}  // namespace curvist
