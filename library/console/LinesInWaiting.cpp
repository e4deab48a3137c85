#include "console/LinesInWaiting.hpp"

#include <utility>

namespace curvist {
namespace {

LinesInWaiting* innermost = nullptr;
// The lines owed are being written: a line they write themselves is in its place.
bool writing = false;

}  // namespace

void write_lines_in_waiting() {
  if (writing) return;
  writing = true;
  struct Done {
    ~Done() { writing = false; }
  } done;
  for (LinesInWaiting* owed = innermost; owed != nullptr; owed = owed->previous_) owed->write_();
}

LinesInWaiting::LinesInWaiting(std::function<void()> write)
    : write_(std::move(write)), previous_(innermost) {
  innermost = this;
}

LinesInWaiting::~LinesInWaiting() { innermost = previous_; }

}  // namespace curvist
