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
  double low = 0, high = 1;
  char caption[8] = "x", unterminated[2] = {'x', 'y'};
  const auto frame = [&](double* xmin, double* xmax, char* x_caption, std::size_t size) {
    return curvist_plot_preparescreen(xmin, xmax, &low, &high, 1, 0, 0, 0, x_caption, size, caption,
                                      sizeof caption, caption, sizeof caption, 1, 0);
  };
  const std::string long_name(81, 'a');

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
      {"falling limits", [&] { return frame(&high, &low, caption, sizeof caption); },
       CURVIST_BAD_ARGUMENTS, "the x limits, 1 to 0, fall"},
      {"no limit", [&] { return frame(&low, nullptr, caption, sizeof caption); },
       CURVIST_BAD_ARGUMENTS, "a limit is a null pointer"},
      {"no NUL", [&] { return frame(&low, &high, unterminated, 2); }, CURVIST_BAD_ARGUMENTS,
       "the x caption has no NUL in its buffer of 2 bytes"},
      {"NaN picture limits",
       [] { return curvist_pgplot_preparescreen(0, 1, NAN, 1, 1, 0, 0, "", "", "", "a.ps", "ps"); },
       CURVIST_NOT_PLOTTED, "the y limits, nan to 1, are not finite"},
      {"picture name too long for its field",
       [&] {
         return curvist_pgplot_preparescreen(0, 1, 0, 1, 1, 0, 0, "", "", "", long_name.c_str(),
                                             "ps");
       },
       CURVIST_BAD_ARGUMENTS, "the file name has 81 characters"},
      {"no picture to end", [] { return curvist_pgplot_killscreen("a.ps"); },
       CURVIST_PICTURE_NOT_WRITTEN, "without an open picture"},
      {"no text to clean", [] { return curvist_purge(nullptr); }, CURVIST_BAD_ARGUMENTS,
       "the text is a null pointer"},
  };
  for (const auto& bad : calls) {
    EXPECT_EQ(bad.call(), bad.status) << bad.what;
    EXPECT_NE(std::string(curvist_last_error()).find(bad.reason), std::string::npos)
        << bad.what << ": " << curvist_last_error();
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

  // A changed caption too long for its buffer is cut between characters.
  char short_caption[6] = "µs";
  EXPECT_EQ(curvist_plot_preparescreen(&low, &high, &low, &high, 1, 1, 0, 0, short_caption,
                                       sizeof short_caption, caption, sizeof caption, caption,
                                       sizeof caption, 1, 0),
            CURVIST_OK);
  EXPECT_STREQ(short_caption, "log(");

  EXPECT_EQ(curvist_pgplotdp(x, y, 4, 1, nullptr), CURVIST_OK);
  EXPECT_STREQ(curvist_last_error(), "");
  EXPECT_EQ(curvist_end_platform(offscreen), CURVIST_OK);
}

}  // namespace
