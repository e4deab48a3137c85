// The bundled example folder: every file but the one with a wrong header is plotted.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "PreCheck.hpp"
#include "plotfile/PlotFile.hpp"

namespace curvist {
namespace {

const std::filesystem::path examples = std::filesystem::path(CURVIST_SOURCE_DIR) / "examples";

TEST(Examples, PassThePreCheckAndReadWhole) {
  struct Expected {
    const char* name;
    int curves;
    int points;
    const char* x_caption;
  };
  for (const Expected& expected :
       {Expected{"damped-oscillation.dat", 1, 200, "Time (s)"},
        Expected{"step-responses.dat", 4, 50, "t (s)"},
        Expected{"absorption-spectrum.dat", 2, 120, "Wavenumber (cm\\u-1\\d)"}}) {
    const std::string path = (examples / expected.name).string();
    EXPECT_TRUE(passes_pre_check(path)) << expected.name;
    const auto file = read_plot_file(path);
    ASSERT_TRUE(file) << expected.name;
    EXPECT_EQ(file->curves, expected.curves);
    EXPECT_EQ(file->points, expected.points);
    EXPECT_EQ(file->x_caption.text(), expected.x_caption);
  }
}

TEST(Examples, HoldOneFileThePreCheckRejects) {
  EXPECT_FALSE(passes_pre_check((examples / "mismatched-header.dat").string()));
}

}  // namespace
}  // namespace curvist
