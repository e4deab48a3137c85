#include "platform/Platform.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Plot.hpp"
#include "RecordedTrace.hpp"

namespace curvist {
namespace {

using Lines = std::vector<std::string>;
using testing::calls_named;

void plot_in_own_window() {
  double x[] = {0, 1};
  double y[] = {0, 1};
  PLOTPACK::PLOTDP({x, 2, 1}, {y, 2, 1}, {.OWNWINDOW = true});
}

// Every platform is a run of its own: its windows are numbered from 101, and a platform
// installed inside another leaves the outer one's numbering where it was.
TEST(Platform, EachInstalledPlatformNumbersItsOwnWindows) {
  std::ostringstream outer_trace;
  std::ostringstream inner_trace;
  {
    const RecordingPlatform outer(outer_trace);
    plot_in_own_window();
    EXPECT_EQ(PLOTPACK::window_counter(), 101);
    {
      const RecordingPlatform inner(inner_trace);
      EXPECT_EQ(PLOTPACK::window_counter(), 100);
      plot_in_own_window();
      plot_in_own_window();
      EXPECT_EQ(PLOTPACK::window_counter(), 102);
    }
    EXPECT_EQ(PLOTPACK::window_counter(), 101);
    plot_in_own_window();
  }
  EXPECT_EQ(calls_named(testing::lines_of(outer_trace.str()), "open_window"),
            (Lines{"open_window 101 \"USER\" \"Representation of y=y(x)\" -> 0",
                   "open_window 102 \"USER\" \"Representation of y=y(x)\" -> 0"}));
  EXPECT_EQ(calls_named(testing::lines_of(inner_trace.str()), "open_window"),
            (Lines{"open_window 101 \"USER\" \"Representation of y=y(x)\" -> 0",
                   "open_window 102 \"USER\" \"Representation of y=y(x)\" -> 0"}));
}

// The modules draw through the platform installed when they are called, and a platform's
// services are restored with it.
TEST(Platform, OperationsUseThePlatformInstalledWhenTheyAreCalled) {
  std::ostringstream outer_trace;
  std::ostringstream inner_trace;
  {
    const RecordingPlatform outer(outer_trace);
    {
      const RecordingPlatform inner(inner_trace);
      PLOTPACK::KILLSCREEN(false);
    }
    PLOTPACK::KILLSCREEN(false);
  }
  const Lines closing = {"console-read", "set_text_mode -1", "clear_screen 0",
                         "select_font \"t'Terminal'h12w8\"", "set_text_colour 7"};
  EXPECT_EQ(testing::lines_of(inner_trace.str()), closing);
  EXPECT_EQ(testing::lines_of(outer_trace.str()), closing);
}

}  // namespace
}  // namespace curvist
