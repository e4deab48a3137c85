#include "SkippedFile.hpp"

#include <iostream>

#include "text/Blanks.hpp"

namespace curvist {

void explain_skipped(std::string_view name, std::string_view reason) {
  std::cerr << "curvist: skipped " << without_trailing_blanks(name) << ": " << reason << '\n';
}

}  // namespace curvist
