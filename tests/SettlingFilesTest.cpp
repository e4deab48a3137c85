// A changed file is read only once it has been quiet for the quiet period: every change
// starts the wait anew, and each file settles on its own.
#include "SettlingFiles.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace curvist {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

const WatchClock::time_point start = WatchClock::time_point{} + 1h;

TEST(SettlingFiles, AFileSettlesOnceItsLastChangeIsAQuietPeriodOld) {
  SettlingFiles files;
  EXPECT_EQ(time_to_next_settled(files, start), std::nullopt) << "nothing waits";
  note_change(files, "a.dat", start);
  EXPECT_EQ(time_to_next_settled(files, start), quiet_period);
  // Another piece written: the wait starts again from it.
  note_change(files, "a.dat", start + 200ms);
  EXPECT_EQ(take_settled(files, start + 300ms), Names{}) << "quiet for 100 ms only";
  EXPECT_EQ(time_to_next_settled(files, start + 300ms), 150ms);
  EXPECT_EQ(take_settled(files, start + 450ms), Names{"a.dat"});
  EXPECT_EQ(take_settled(files, start + 10s), Names{}) << "read once for its changes";
  EXPECT_EQ(time_to_next_settled(files, start + 10s), std::nullopt);
}

TEST(SettlingFiles, EachFileSettlesOnItsOwnAndTogetherByName) {
  SettlingFiles files;
  note_change(files, "b.dat", start);
  note_change(files, "c.dat", start + 100ms);
  // A change noted late, with an older time, does not bring the wait forward.
  note_change(files, "c.dat", start + 50ms);
  note_change(files, "a.dat", start + 10ms);
  EXPECT_EQ(take_settled(files, start + quiet_period), Names{"b.dat"});
  // A part of a millisecond still to wait counts as a whole one: no busy wait.
  EXPECT_EQ(time_to_next_settled(files, start + quiet_period + 9500us), 1ms);
  EXPECT_EQ(take_settled(files, start + 1s), (Names{"a.dat", "c.dat"}));
  // Long overdue, it settles at once.
  note_change(files, "d.dat", start);
  EXPECT_EQ(time_to_next_settled(files, start + 1s), 0ms);
}

}  // namespace
}  // namespace curvist
