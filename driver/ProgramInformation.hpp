#pragma once
// What `curvist --help` and `curvist --version` print.

#include <string>

namespace curvist {

std::string usage_text();
std::string version_text();

}  // namespace curvist
