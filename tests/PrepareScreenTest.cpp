#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Plot.hpp"
#include "RecordedTrace.hpp"

namespace curvist {
namespace {

using Lines = std::vector<std::string>;
using testing::calls_named;
using testing::recorded_lines;
using testing::recorded_runs;

// The plot of the straight curve from (x1, y1) to (x2, y2).
std::function<void()> line_plot(double x1, double x2, double y1, double y2,
                                PLOTPACK::ScreenPlotOptions options = {.OWNWINDOW = true}) {
  return [=] {
    double x[] = {x1, x2};
    double y[] = {y1, y2};
    PLOTPACK::PLOTDP({x, 2, 1}, {y, 2, 1}, options);
  };
}

// Plots the straight curve from (x1, y1) to (x2, y2) in a window of its own, as the first
// plot of a run.
Lines own_window_plot(double x1, double x2, double y1, double y2,
                      PLOTPACK::ScreenPlotOptions options = {.OWNWINDOW = true},
                      SimulatedScreen screen = {}) {
  return recorded_lines(line_plot(x1, x2, y1, y2, options), screen);
}

TEST(PrepareScreen, DataFrom0To100CrossAtTheOriginWithTicksEvery10) {
  const auto lines = own_window_plot(0, 100, 0, 100);
  const Lines frame_and_axes = {
      "open_window 101 \"USER\" \"Representation of y=y(x)\" -> 0",
      "focus_window 101",
      "initialise_fonts",
      "clear_screen 0",
      "set_colour 5",
      "draw_rectangle 2 1 1 796 416",
      "set_colour 1",
      "draw_rectangle 3 4 4 793 413",
      "set_viewport 4 4 793 413",
      "set_window_mapping 1 -3.3333333333333335 -7.6923076923076925 103.33333333333333 "
      "107.6923076923077",
      "set_colour 14",
      "move_to -3.3333333333333335 0",
      "line_to 103.33333333333333 0",
      "move_to 0 -7.6923076923076925",
      "line_to 0 107.6923076923077",
      "move_to 102.79256442754541 1.1284558961820577",
      "line_to 103.33333333333333 0",
      "line_to 102.79256442754541 -1.1284558961820577",
      "move_to 0.5407689057879171 106.56385179612563",
      "line_to 0 107.6923076923077",
      "line_to -0.5407689057879171 106.56385179612563",
      "select_font \"t'modern'h14w9\"",
      "set_text_colour 2",
      "move_to 101.30544993662863 4.795937558773745",
      "draw_text \"x\"",
      "move_to -2.027883396704689 107.6923076923077",
      "draw_text \"y\"",
      // The tick at the crossing, unlabelled, then the first labelled one centred under
      // its tick.
      "move_to 0 0.2821139740455144",
      "line_to 0 -0.2821139740455144",
      "move_to 10 0.2821139740455144",
      "line_to 10 -0.2821139740455144",
      "move_to 8.17490494296578 -0.8463419221365432",
      "draw_text \"10.\"",
  };
  ASSERT_GT(lines.size(), frame_and_axes.size());
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + frame_and_axes.size()), frame_and_axes);

  Lines labels;
  for (int axis = 0; axis < 2; ++axis)
    for (int value = 10; value <= 100; value += 10)
      labels.push_back("draw_text \"" + std::to_string(value) + ".\"");
  labels.insert(labels.begin(), {"draw_text \"x\"", "draw_text \"y\""});
  EXPECT_EQ(calls_named(lines, "draw_text"), labels);
  // A y label right of the axis, its top 7 pixels above the tick.
  EXPECT_NE(std::find(lines.begin(), lines.end(), "move_to 0.4055766793409379 11.974797818318601"),
            lines.end());
}

TEST(PrepareScreen, CrossingAboveZeroMovesOntoARoundTickAndStaysUnlabelled) {
  const auto lines = own_window_plot(1000, 1010, -50, 100);
  // The y axis stands at x = 1000; x labels from 1001. to 1010.
  EXPECT_NE(std::find(lines.begin(), lines.end(), "move_to 1000 -61.53846153846154"), lines.end());
  const auto texts = calls_named(lines, "draw_text");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "draw_text \"1000.\""), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "draw_text \"1001.\""), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "draw_text \"1010.\""), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "draw_text \"-50.\""), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "draw_text \"0.\""), 0);
}

TEST(PrepareScreen, FractionalStepsUseTheGeneralFormat) {
  const auto texts = calls_named(own_window_plot(0, 0.5, 0, 2e6), "draw_text");
  const Lines expected = {"draw_text \"x\"",      "draw_text \"y\"",     "draw_text \"0.10\"",
                          "draw_text \"0.20\"",   "draw_text \"0.30\"",  "draw_text \"0.40\"",
                          "draw_text \"0.50\"",   "draw_text \"0.5E6\"", "draw_text \"0.1E7\"",
                          "draw_text \"0.15E7\"", "draw_text \"0.2E7\""};
  EXPECT_EQ(texts, expected);
  const auto negative = calls_named(own_window_plot(-100, 100, -0.5, 0), "draw_text");
  EXPECT_EQ(negative, (Lines{"draw_text \"x\"", "draw_text \"y\"", "draw_text \"-100.\"",
                             "draw_text \"-50.\"", "draw_text \"50.\"", "draw_text \"100.\"",
                             "draw_text \"-.50\"", "draw_text \"-.40\"", "draw_text \"-.30\"",
                             "draw_text \"-.20\"", "draw_text \"-.10\""}));
}

TEST(PrepareScreen, ResolutionSelectsTheDrawingArea) {
  const auto frame = [&](std::optional<int> resolution, std::optional<bool> own) {
    const auto lines = own_window_plot(0, 1, 0, 1, {.RESOLUTION = resolution, .OWNWINDOW = own});
    return calls_named(lines, "set_viewport");
  };
  EXPECT_EQ(frame(std::nullopt, true), Lines{"set_viewport 4 4 793 413"});
  EXPECT_EQ(frame(1, false), Lines{"set_viewport 4 4 793 432"});
  EXPECT_EQ(frame(2, true), Lines{"set_viewport 4 4 1021 660"});
  EXPECT_EQ(frame(3, true), Lines{"set_viewport 4 4 1379 940"});
  EXPECT_EQ(frame(7, false), Lines{"set_viewport 4 4 1379 940"});
}

TEST(PrepareScreen, MeasuredSizeIsReportedForTheFirstWindowOnly) {
  const auto plots = recorded_runs({line_plot(0, 1, 0, 1, {.RESOLUTION = 0, .OWNWINDOW = true}),
                                    line_plot(0, 1, 0, 1, {.RESOLUTION = 0, .OWNWINDOW = true})});
  const auto& first = plots[0];
  const Lines expected = {
      "open_window 101 \"USER\" \"Representation of y=y(x)\" -> 0",
      "focus_window 101",
      "initialise_fonts",
      "select_font \"t'Terminal'h12w8\"",
      "get_font_info -> 8 12",
      "query_window_size 101 -> 100 40",
      "console \" resx =  800 ; resy =  640\"",
      "console \" \"",
      "clear_screen 0",
      "set_colour 5",
      "draw_rectangle 2 1 1 800 640",
  };
  EXPECT_EQ(Lines(first.begin(), first.begin() + expected.size()), expected);

  const auto& second = plots[1];
  EXPECT_EQ(calls_named(second, "console"), Lines{});
  EXPECT_EQ(calls_named(second, "query_window_size"), Lines{"query_window_size 102 -> 100 40"});
}

TEST(PrepareScreen, MeasuredSizesOfCommonWindowsAreCorrectedAfterTheReport) {
  const auto plots = recorded_runs({line_plot(0, 1, 0, 1, {.RESOLUTION = 0, .OWNWINDOW = true}),
                                    line_plot(0, 1, 0, 1, {.RESOLUTION = 0, .OWNWINDOW = false})},
                                   {.window_cells = {88, 25}});
  const auto& lines = plots[0];
  EXPECT_EQ(calls_named(lines, "console"),
            (Lines{"console \" resx =  704 ; resy =  400\"", "console \" \""}));
  EXPECT_EQ(calls_named(lines, "set_viewport"), Lines{"set_viewport 4 4 706 395"});
  // Without a window of its own the console window is measured.
  const auto& console_sized = plots[1];
  EXPECT_EQ(calls_named(console_sized, "query_window_size"), Lines{"query_window_size 0 -> 80 30"});
  EXPECT_EQ(calls_named(console_sized, "set_viewport"), Lines{"set_viewport 4 4 637 477"});
  // The window counter still names the first window, so the measure is reported again.
  EXPECT_EQ(calls_named(console_sized, "console"),
            (Lines{"console \" resx =  640 ; resy =  480\"", "console \" \""}));
}

TEST(PrepareScreen, WindowWithoutCellsIsLaidOutOnTheStandardSize) {
  const auto lines =
      own_window_plot(0, 1, 0, 1, {.RESOLUTION = 0, .OWNWINDOW = true}, {.window_cells = {0, 0}});
  EXPECT_EQ(calls_named(lines, "console"),
            (Lines{"console \" resx =    0 ; resy =    0\"", "console \" \""}));
  EXPECT_EQ(calls_named(lines, "set_viewport"), Lines{"set_viewport 4 4 793 413"});
}

TEST(PrepareScreen, WindowThatDoesNotOpenIsRetriedEverySecond) {
  const auto lines =
      own_window_plot(0, 1, 0, 1, {.TITLE = "  Run 7 ", .OWNWINDOW = true}, {.open_failures = 2});
  const Lines expected = {
      "open_window 101 \"USER\" \"Run 7\" -> 1",
      "console \" Problem when opening the window ... will try again in 1 sec.\"",
      "sleep 1",
      "open_window 101 \"USER\" \"Run 7\" -> 1",
      "console \" Problem when opening the window ... will try again in 1 sec.\"",
      "sleep 1",
      "open_window 101 \"USER\" \"Run 7\" -> 0",
      "focus_window 101",
      "initialise_fonts",
  };
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + expected.size()), expected);
}

TEST(PrepareScreen, BlankTitleNamesTheWindowAndEachPlotGetsTheNextUnit) {
  int counter = 0;
  const auto plots = recorded_runs({line_plot(0, 1, 0, 1, {.TITLE = "   ", .OWNWINDOW = true}),
                                    line_plot(0, 1, 0, 1, {.TITLE = "A \\gb", .OWNWINDOW = true}),
                                    [&] { counter = PLOTPACK::window_counter(); }});
  EXPECT_EQ(plots[0].front(), "open_window 101 \"USER\" \"Representation of the data\" -> 0");
  EXPECT_EQ(plots[1].front(), "open_window 102 \"USER\" \"Ab\" -> 0");
  EXPECT_EQ(counter, 102);
}

TEST(PrepareScreen, ReusedWindowIsPaintedOverWithoutClearingOrBorder) {
  int counter = 0;
  const auto plots = recorded_runs({line_plot(0, 1, 0, 1),
                                    line_plot(0, 1, 0, 1, {.OWNWINDOW = true, .REUSEWINDOW = true}),
                                    [&] { counter = PLOTPACK::window_counter(); }});
  const auto& reused = plots[1];
  const Lines expected = {"focus_window 101", "initialise_fonts", "set_colour 1",
                          "draw_rectangle 3 0 0 796 416", "set_viewport 4 4 793 413"};
  EXPECT_EQ(Lines(reused.begin(), reused.begin() + expected.size()), expected);
  EXPECT_EQ(counter, 101);

  // Without a window of its own nothing is opened or focused, but the frame is the same.
  const auto active = own_window_plot(0, 1, 0, 1, {.REUSEWINDOW = true});
  const Lines active_start = {"initialise_fonts", "set_colour 1", "draw_rectangle 3 0 0 796 435"};
  EXPECT_EQ(Lines(active.begin(), active.begin() + active_start.size()), active_start);
}

TEST(PrepareScreen, LogarithmicAxesMarkTheirCaptions) {
  double x[] = {1, 10, 100};
  double y[] = {1, 1000, 10};
  const auto lines = recorded_lines([&] {
    PLOTPACK::PLOTDP({x, 3, 1}, {y, 3, 1},
                     {.LOGX = true, .LOGY = true, .XLABEL = " t", .OWNWINDOW = true});
  });
  const auto texts = calls_named(lines, "draw_text");
  EXPECT_EQ(texts[0], "draw_text \"log(t)\"");
  EXPECT_EQ(texts[1], "draw_text \"log(y)\"");
  EXPECT_EQ(calls_named(lines, "set_window_mapping"),
            Lines{"set_window_mapping 1 -0.06666666666666667 -0.23076923076923078 "
                  "2.066666666666667 3.230769230769231"});
}

TEST(PrepareScreen, WideYCaptionGoesRightOfTheAxisAndPastAHighLabel) {
  const auto caption_position = [](double ymax) {
    const auto lines = own_window_plot(0, 100, 0, ymax, {.YLABEL = "velocity", .OWNWINDOW = true});
    for (std::size_t index = 1; index < lines.size(); ++index)
      if (lines[index] == "draw_text \"velocity\"") return lines[index - 1];
    return std::string();
  };
  // One pixel is 106.67 / 789 data units. Room for the highest label (100. at the top of
  // 0..100): 6 pixels right of the axis.
  EXPECT_EQ(caption_position(100), "move_to 0.8111533586818758 107.6923076923077");
  // 0..95: the label 100. lies within 20 pixels of the top; the caption moves 4 characters
  // of 9 pixels further right.
  EXPECT_EQ(caption_position(95), "move_to 5.67807351077313 102.3076923076923");
}

TEST(PrepareScreen, CaptionsAreLaidOutByCharactersWhateverTheirBytes) {
  // The x caption ends 6 pixels before the arrow: as far left as it has characters.
  const auto x_caption_position = [](std::string_view caption) {
    const auto lines = own_window_plot(0, 100, 0, 100, {.XLABEL = caption, .OWNWINDOW = true});
    for (std::size_t index = 1; index < lines.size(); ++index)
      if (lines[index].starts_with("draw_text")) return lines[index - 1];
    return std::string();
  };
  const std::string ascii = x_caption_position("T (oC)");
  EXPECT_EQ(x_caption_position("T (\u00b0C)"), ascii);  // UTF-8: the degree sign is two bytes
  EXPECT_EQ(x_caption_position("T (\xb0"
                               "C)"),
            ascii);  // Latin-1
  EXPECT_NE(x_caption_position("T (ooC)"), ascii);
}

TEST(PrepareScreen, LimitsTooCloseForAStepDrawNoTicksAndDoNotHang) {
  const double tiny = 4.9406564584124654e-324;
  const auto lines = own_window_plot(0, 1, tiny, 2 * tiny);
  EXPECT_FALSE(calls_named(lines, "set_window_mapping").empty());
  EXPECT_LT(lines.size(), 200u);
}

}  // namespace
}  // namespace curvist
