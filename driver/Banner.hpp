#pragma once
// The seven lines the program greets the user with on its console.

#include <array>
#include <string>

namespace curvist {

// Each line as written in list-directed style, its leading blank included.
std::array<std::string, 7> banner_lines();

void write_banner();

}  // namespace curvist
