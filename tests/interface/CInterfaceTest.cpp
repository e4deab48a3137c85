// Bad input through the C interface: a status that says what is wrong and the reason in
// words, never a crash, and nothing drawn into a file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include <curvist/curvist.h>
#include "TemporaryFolder.hpp"

namespace {

using curvist::testing::ScopedCurrentFolder;
using curvist::testing::TemporaryFolder;

struct BadCall {
  const char* what;
  std::function<curvist_status()> call;
  curvist_status status;
  std::string reason;  // a part of curvist_last_error()
};

TEST(CInterface, BadInputGetsAStatusAndItsReason) {
  TemporaryFolder folder;
  const ScopedCurrentFolder inside(folder.path());
  curvist_platform* offscreen = curvist_choose_platform(CURVIST_OFFSCREEN_WINDOWS, nullptr);
  ASSERT_NE(offscreen, nullptr) << curvist_last_error();

  const double x[] = {0, 1, 2, 3}, y[] = {1, 0, 1, 0}, flat[] = {1.5, 1.5, 1.5, 1.5};
  const double nan[] = {NAN, NAN, NAN, NAN};
  const float x32[] = {0, 1, 2, 3}, nan32[] = {NAN, NAN, NAN, NAN};
  curvist_screen_options own_window = curvist_screen_options_default();
  own_window.OWNWINDOW = 1;
  const auto picture = [](const char* file_name, const char* device) {
    curvist_picture_options options = curvist_picture_options_default();
    options.FILENAME = file_name;
    options.DEVICE = device;
    return options;
  };
  const auto no_curves = [] {
    curvist_picture_list_options options = curvist_picture_list_options_default();
    options.NCURVES = 0;
    return options;
  }();
  curvist_screen_options older = own_window;
  older.size = 8;
  const auto no_folder = picture("no-such-folder/a.ps", nullptr);
  const auto unknown_device = picture("a.ps", "tiff");

  const BadCall calls[] = {
      {"no points", [&] { return curvist_plotdp(x, y, 0, 1, &own_window); }, CURVIST_BAD_ARGUMENTS,
       "there are no points"},
      {"no curves", [&] { return curvist_pgplotdp(x, y, 4, 0, nullptr); }, CURVIST_BAD_ARGUMENTS,
       "there are no curves"},
      {"NCURVES 0", [&] { return curvist_pgplotlistdp(x, y, 4, &no_curves); },
       CURVIST_BAD_ARGUMENTS, "NCURVES is 0: at least one curve is needed"},
      {"no y", [&] { return curvist_plotsp(x32, nullptr, 4, 1, &own_window); },
       CURVIST_BAD_ARGUMENTS, "y is a null pointer"},
      {"options of another size", [&] { return curvist_plotdp(x, y, 4, 1, &older); },
       CURVIST_BAD_ARGUMENTS, "the options structure holds 8 bytes"},
      {"NaN limits on screen", [&] { return curvist_plotdp(nan, y, 4, 1, &own_window); },
       CURVIST_NOT_PLOTTED, "no x value is finite"},
      {"NaN limits in a picture", [&] { return curvist_pgplotsp(x32, nan32, 4, 1, nullptr); },
       CURVIST_NOT_PLOTTED, "no y value is finite"},
      {"no range", [&] { return curvist_pgplotdp(flat, y, 4, 1, nullptr); }, CURVIST_NOT_PLOTTED,
       "all x values are 1.5: no range to plot over"},
      {"no folder", [&] { return curvist_pgplotdp(x, y, 4, 1, &no_folder); },
       CURVIST_PICTURE_NOT_WRITTEN,
       "cannot write the picture no-such-folder/a.ps: No such file or directory"},
      {"unknown device", [&] { return curvist_pgplotdp(x, y, 4, 1, &unknown_device); },
       CURVIST_PICTURE_NOT_WRITTEN, "unknown PGPLOT device type \"tiff\""},
      {"no data file", [] { return curvist_loadplot("missing.dat", nullptr); }, CURVIST_NOT_PLOTTED,
       "missing.dat: no such file"},
      {"no window", [] { return curvist_write_window_png(7, "window.png"); },
       CURVIST_PICTURE_NOT_WRITTEN, "unit 7 has no window"},
      {"no platform", [] { return curvist_end_platform(nullptr); }, CURVIST_BAD_ARGUMENTS,
       "not the platform chosen last"},
  };
  for (const auto& bad : calls) {
    EXPECT_EQ(bad.call(), bad.status) << bad.what;
    EXPECT_NE(std::string(curvist_last_error()).find(bad.reason), std::string::npos)
        << bad.what << ": " << curvist_last_error();
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

  EXPECT_EQ(curvist_pgplotdp(x, y, 4, 1, nullptr), CURVIST_OK);
  EXPECT_STREQ(curvist_last_error(), "");
  EXPECT_EQ(curvist_end_platform(offscreen), CURVIST_OK);
}

}  // namespace
