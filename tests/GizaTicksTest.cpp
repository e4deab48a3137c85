// The tick intervals handed to giza: giza's own choice wherever giza makes one, and the
// same choice made for it where its window is too narrow for it to make any.
#include <gtest/gtest.h>

#include "axes/GizaTicks.hpp"

namespace curvist {
namespace {

void expect_ticks(std::optional<AxisTicks> ticks, float interval, int subdivisions) {
  ASSERT_TRUE(ticks);
  EXPECT_FLOAT_EQ(ticks->interval, interval);
  EXPECT_EQ(ticks->subdivisions, subdivisions);
}

TEST(GizaTicks, GizaChoosesWhereverItCan) {
  expect_ticks(ticks_for_giza("BCNST", 0, 0, 0, 1), 0, 0);
  expect_ticks(ticks_for_giza("BCNST", 0, 0, 1e-27, 3e-27), 0, 0);
  // An interval the caller chose, a logarithmic axis, or an axis without ticks or numbers.
  expect_ticks(ticks_for_giza("BCNST", 2.5e-31f, 3, 0, 1e-30), 2.5e-31f, 3);
  expect_ticks(ticks_for_giza("BCLNST", 0, 0, -31, -30.5), 0, 0);
  expect_ticks(ticks_for_giza("BC", 0, 0, 0, 1e-30), 0, 0);
}

TEST(GizaTicks, NarrowWindowsGetGizasRoundIntervalOfAFifth) {
  // A fifth of 1e-30 is 2e-31, which giza rounds up to 5e-31 with five subdivisions.
  expect_ticks(ticks_for_giza("BCNST", 0, 0, 0, 1e-30), 5e-31f, 5);
  expect_ticks(ticks_for_giza("bcnst", 0, 0, 0, 1e-30), 5e-31f, 5);
  expect_ticks(ticks_for_giza("BCNST", 0, 0, 1e-30, 4e-30), 1e-30f, 5);
  expect_ticks(ticks_for_giza("BCNST", 0, 0, 0, 7e-31), 2e-31f, 2);
  // Up to 4e-29 giza may find no interval of its own, depending on its font.
  expect_ticks(ticks_for_giza("BCNST", 0, 0, 0, 3.5e-29), 1e-29f, 5);
  // A window running backwards.
  expect_ticks(ticks_for_giza("BCNST", 0, 0, 1e-30, 0), -5e-31f, 5);
}

TEST(GizaTicks, WindowsGizaCannotNumberGetNoTicks) {
  EXPECT_FALSE(ticks_for_giza("BCNST", 0, 0, 0, 4e-31));
  EXPECT_FALSE(ticks_for_giza("BCNST", 0, 0, 1e-33, 3e-33));
}

}  // namespace
}  // namespace curvist
