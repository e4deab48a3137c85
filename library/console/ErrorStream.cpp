#include "console/ErrorStream.hpp"

#include <cstdio>
#include <string>

#include "console/LinesInWaiting.hpp"

namespace curvist {
namespace {

class StandardError final : public ErrorStream {
 protected:
  void put(std::string_view text) override {
    // Out at once, in one write: error lines interleave with the console's lines, which
    // are flushed as they are written.
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }
};

}  // namespace

void ErrorStream::write_line(std::string_view line) {
  write_lines_in_waiting();
  std::string whole(line);
  whole += '\n';
  put(whole);
}

ErrorStream& standard_error() {
  static StandardError stream;
  return stream;
}

}  // namespace curvist
