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

void after_lines_in_waiting(std::function<void()> due) {
  LinesInWaiting::run_after(innermost, std::move(due));
}

void LinesInWaiting::run_after(LinesInWaiting* first, std::function<void()> due) {
  // Owers outside the first one that owes are looked at again once it is paid: what they
  // owe by then includes what they owe now, so `due` may run later than it could, never
  // earlier.
  for (LinesInWaiting* ower = first; ower != nullptr; ower = ower->previous_) {
    if (ower->owed_ == ower->written_) continue;
    LinesInWaiting* const outside = ower->previous_;
    ower->due_.push_back({ower->owed_, [outside, due = std::move(due)]() mutable {
                            run_after(outside, std::move(due));
                          }});
    return;
  }
  due();
}

LinesInWaiting::LinesInWaiting(std::function<void()> write)
    : write_(std::move(write)), previous_(innermost) {
  innermost = this;
}

LinesInWaiting::~LinesInWaiting() {
  innermost = previous_;
  written_ = owed_;
  while (!due_.empty()) {
    auto run = std::move(due_.front().run);
    due_.pop_front();
    run();
  }
}

void LinesInWaiting::owe() { ++owed_; }

void LinesInWaiting::written() {
  if (written_ < owed_) ++written_;
  // Taken off before it runs: what it runs may wait here again.
  while (!due_.empty() && due_.front().position <= written_) {
    auto run = std::move(due_.front().run);
    due_.pop_front();
    run();
  }
}

}  // namespace curvist
