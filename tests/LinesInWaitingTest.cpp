// What waits for the lines owed runs right after the last of them is written, never
// before and never waiting itself: at once when nothing is owed, after every ower that
// owes, and in any case when the ower goes.
#include "console/LinesInWaiting.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace curvist {
namespace {

using ::testing::ElementsAre;

// An ower whose lines are written in order as they are paid.
struct Ower {
  std::vector<std::string>& seen;
  std::vector<std::string> lines;
  std::size_t written = 0;
  LinesInWaiting waiting{[this] {
    while (written < lines.size()) pay();
  }};

  explicit Ower(std::vector<std::string>& seen) : seen(seen) {}

  void owe(std::string line) {
    lines.push_back(std::move(line));
    waiting.owe();
  }
  void pay() {
    seen.push_back(lines[written++]);
    waiting.written();
  }
};

TEST(LinesInWaiting, WhatIsDueRunsRightAfterTheLinesOwedBeforeIt) {
  std::vector<std::string> seen;
  {
    Ower ower(seen);
    after_lines_in_waiting([&] { seen.push_back("nothing owed: at once"); });
    ower.owe("line 1");
    ower.owe("line 2");
    after_lines_in_waiting([&] { seen.push_back("after line 2"); });
    ower.owe("line 3");
    after_lines_in_waiting([&] { seen.push_back("after line 3"); });
    EXPECT_THAT(seen, ElementsAre("nothing owed: at once"));
    ower.pay();
    EXPECT_THAT(seen, ElementsAre("nothing owed: at once", "line 1"));
    // The line written by the caller settles everything owed before it.
    write_lines_in_waiting();
    EXPECT_THAT(seen, ElementsAre("nothing owed: at once", "line 1", "line 2", "after line 2",
                                  "line 3", "after line 3"));
    after_lines_in_waiting([&] { seen.push_back("all written: at once"); });
    EXPECT_EQ(seen.back(), "all written: at once");
  }
  seen.clear();
  after_lines_in_waiting([&] { seen.push_back("no ower at all"); });
  EXPECT_THAT(seen, ElementsAre("no ower at all"));
}

TEST(LinesInWaiting, WhatIsDueWaitsForEveryOwerAndRunsWhenTheyGo) {
  std::vector<std::string> seen;
  auto outer = std::make_unique<Ower>(seen);
  outer->owe("outer line");
  {
    Ower inner(seen);
    inner.owe("inner line");
    after_lines_in_waiting([&] { seen.push_back("due"); });
    inner.pay();
    EXPECT_THAT(seen, ElementsAre("inner line"));
    outer->pay();
    EXPECT_THAT(seen, ElementsAre("inner line", "outer line", "due"));

    inner.owe("never written");
    after_lines_in_waiting([&] { seen.push_back("due when the ower goes"); });
  }
  EXPECT_EQ(seen.back(), "due when the ower goes");
  outer.reset();
  // Once the owers are gone nothing is owed.
  seen.clear();
  after_lines_in_waiting([&] { seen.push_back("at once"); });
  EXPECT_THAT(seen, ElementsAre("at once"));
}

}  // namespace
}  // namespace curvist
