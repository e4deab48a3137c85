#include "SkippedFile.hpp"

#include <iostream>

#include "console/LinesInWaiting.hpp"
#include "text/Blanks.hpp"

namespace curvist {

void explain_skipped(std::string_view name, std::string_view reason) {
  write_lines_in_waiting();
  std::cerr << "curvist: skipped " << without_trailing_blanks(name) << ": " << reason << '\n';
}

}  // namespace curvist
