// The lines of a run come in the order of a run that waits for every picture, though each
// picture is finished while the next file is read: a picture's " Output in " line or its
// error line comes before any line about a later file, standard output and standard
// error alike.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CurvistProgram.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using ::testing::ElementsAre;
using testing::TemporaryFolder;

// The lines about files: pictures written, pictures not written, files skipped.
std::vector<std::string> lines_about_files(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream text(output);
  for (std::string line; std::getline(text, line);) {
    if (line.starts_with(" Output in ") || line.starts_with("curvist: cannot write") ||
        line.starts_with("curvist: skipped"))
      lines.push_back(line);
  }
  return lines;
}

TEST(LineOrder, EachPicturesLineComesBeforeTheLinesOfLaterFiles) {
  TemporaryFolder folder;
  // Values closer together than 32-bit floats draw apart.
  const std::string narrow = "-1\n3\n0 1e-39\n1 3e-39\n2 2e-39\nenergy\ncross-section\nNarrow\n";
  std::string large = "-1\n200000\n";
  for (int point = 0; point < 200000; ++point)
    large += std::to_string(point) + " " + std::to_string(point % 13) + "\n";
  large += "x\ny\nLarge\n";
  folder.write("a-large.dat", large);
  folder.write("b-narrow.dat", narrow);
  folder.write("c-skipped.dat", "-1\n3\n0 0\n1 1\nx\ny\nTitle\n");
  folder.write("d-good.dat", testing::valid_data);
  folder.write("e-large.dat", large);
  folder.write("f-narrow.dat", narrow);
  testing::ChildSettings settings;
  settings.arguments = {"--explain"};
  settings.errors_into_output = true;
  const auto result = testing::run_curvist(folder.path(), settings);
  EXPECT_EQ(result.end.exit_status, 1) << result.output;
  const std::string narrow_reason =
      ": its y range, 1e-39 to 3e-39, is narrower than giza can draw (1e-31)";
  EXPECT_THAT(lines_about_files(result.output),
              ElementsAre(" Output in a-large.ps",
                          "curvist: cannot write the picture b-narrow.ps" + narrow_reason,
                          "curvist: skipped c-skipped.dat: 7 lines, at least 8 are needed: the "
                          "header promises 1 curve of 3 points",
                          " Output in d-good.ps", " Output in e-large.ps",
                          "curvist: cannot write the picture f-narrow.ps" + narrow_reason))
      << result.output;
}

}  // namespace
}  // namespace curvist
