#pragma once
// What `curvist --help` and `curvist --version` print, and the one line that tells a user
// who gave a file name that arguments are not used.

#include <string>

namespace curvist {

std::string usage_text();
std::string version_text();
std::string arguments_not_used_text();

}  // namespace curvist
