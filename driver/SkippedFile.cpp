#include "SkippedFile.hpp"

#include <string>

#include "platform/Platform.hpp"
#include "text/Blanks.hpp"

namespace curvist {

void explain_skipped(std::string_view name, std::string_view reason) {
  current_errors().write_line("curvist: skipped " + std::string(without_trailing_blanks(name)) +
                              ": " + std::string(reason));
}

}  // namespace curvist
