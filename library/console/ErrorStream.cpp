#include "console/ErrorStream.hpp"

#include <cstdio>
#include <string>

#include "console/LinesInWaiting.hpp"

namespace curvist {
namespace {

class StandardError final : public ErrorStream {
 protected:
  void put_line(std::string_view line) override {
    // The whole line in one write, out at once: error lines interleave with the console's
    // lines, which are flushed as they are written.
    std::string whole(line);
    whole += '\n';
    std::fwrite(whole.data(), 1, whole.size(), stderr);
    std::fflush(stderr);
  }
};

}  // namespace

void ErrorStream::write_line(std::string_view line) {
  write_lines_in_waiting();
  put_line(line);
}

ErrorStream& standard_error() {
  static StandardError stream;
  return stream;
}

}  // namespace curvist
