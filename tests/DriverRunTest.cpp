#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Banner.hpp"
#include "ListFile.hpp"
#include "Main.hpp"
#include "Run.hpp"
#include "SourceReadme.hpp"
#include "TemporaryFolder.hpp"
#include "console/RecordingErrorStream.hpp"
#include "platform/Platform.hpp"
#include "platform/RecordingPlatform.hpp"
#include "plotfile/PlotFile.hpp"

namespace curvist {
namespace {

using testing::ScopedCurrentFolder;
using testing::TemporaryFolder;
namespace fs = std::filesystem;

constexpr std::string_view valid_data = "-1\n2\n0 0\n1 1\nx\ny\nTitle\n";

// Runs the driver in `folder` with the recorders, collecting the names it accepts.
struct DriverRun {
  std::vector<std::string> accepted;
  std::string trace;
  std::string errors;
  int status = 0;
};

using Names = std::vector<std::string>;

DriverRun run_in(const TemporaryFolder& folder) {
  DriverRun run;
  std::ostringstream trace;
  std::ostringstream errors;
  RecordingErrorStream error_stream(errors);
  const RecordingPlatform recorded(trace, {}, error_stream);
  const ScopedCurrentFolder inside(folder.path());
  run.status = run_in_current_folder([&](std::string_view name, FileText&) {
    run.accepted.emplace_back(name);
    EXPECT_TRUE(read_plot_file(name)) << "an accepted file reaches the reader: " << name;
  });
  run.trace = trace.str();
  run.errors = errors.str();
  return run;
}

TEST(Banner, IsSevenListDirectedLines) {
  std::ostringstream trace;
  const RecordingPlatform recorded(trace);
  write_banner();
  std::istringstream lines(trace.str());
  Names written;
  for (std::string line; std::getline(lines, line);) written.push_back(line);
  ASSERT_EQ(written.size(), 7u);
  EXPECT_EQ(written[0], "console \" Curvist.exe\"");
  EXPECT_EQ(written[1], "console \" -----------\"");
  EXPECT_EQ(written[2], "console \" \"");
  EXPECT_EQ(written[3], "console \" Last udate: 17/03 2008\"");
  EXPECT_EQ(written[4], "console \" Optimized for any screen\"");
  // Run from the build tree, the tests name the source tree's README.
  EXPECT_EQ(written[5], "console \" Info: file://" + testing::source_tree_readme() + "\"");
  EXPECT_EQ(written[6], "console \" \"");
}

TEST(DriverRun, ListsTheFolderDirectoriesFirstAndRemovesTheListAfterwards) {
  TemporaryFolder folder;
  folder.write("b.dat", valid_data);
  folder.write("a.dat", valid_data);
  fs::create_directory(folder / "z.dat");
  folder.write("notes.txt", valid_data);
  folder.write(".hidden.dat", valid_data);
  folder.write("UPPER.DAT", valid_data);
  const auto run = run_in(folder);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.accepted, (Names{"a.dat", "b.dat", "UPPER.DAT"})) << "z.dat is rejected";
  EXPECT_FALSE(fs::exists(folder / std::string(list_file_name)));
  EXPECT_EQ(run.trace.find("console \" Curvist.exe\"\n"), 0u);
  EXPECT_EQ(std::count(run.trace.begin(), run.trace.end(), '\n'), 7) << run.trace;
}

TEST(DriverRun, ListsNamesWithBlanksSoThatTheyArriveWhole) {
  TemporaryFolder folder;
  folder.write("my data.dat", valid_data);
  folder.write("it's, odd.dat", valid_data);
  folder.write("2*x.dat", valid_data);
  // Not cut to 80 characters either, which would name the other file.
  const std::string long_name = std::string(76, 'S') + ".dat";
  folder.write(long_name, valid_data);
  folder.write(long_name + ".old.dat", valid_data);
  const auto run = run_in(folder);
  EXPECT_EQ(run.accepted,
            (Names{"2*x.dat", "it's, odd.dat", "my data.dat", long_name, long_name + ".old.dat"}));
}

TEST(DriverRun, ReadsAHandWrittenListInItsOrderAndKeepsIt) {
  TemporaryFolder folder;
  folder.write("b.dat", valid_data);
  folder.write("a.dat", valid_data);
  folder.write("curves.txt", valid_data);
  folder.write("my data.dat", valid_data);
  const std::string list =
      "b.dat\n\n  curves.txt  trailing words\nmy data.dat\n'my data.dat'\n, a.dat\n/ a.dat\n"
      "missing.dat\na.dat\n";
  folder.write(list_file_name, list);
  const auto run = run_in(folder);
  EXPECT_EQ(run.accepted, (Names{"b.dat", "curves.txt", "my data.dat", "a.dat"}))
      << "my is skipped; lines starting with a comma or slash are passed over";
  std::ifstream kept(folder / std::string(list_file_name));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), list);
}

TEST(DriverRun, EndsTheListAtALineThatCannotBeRead) {
  TemporaryFolder folder;
  folder.write("a.dat", valid_data);
  folder.write(list_file_name, "a.dat\n'a.dat'x\na.dat\n");
  EXPECT_EQ(run_in(folder).accepted, (Names{"a.dat"}));
}

TEST(DriverRun, LeavesAnEmptyListWhenNothingMatchesAndStillRemovesIt) {
  TemporaryFolder folder;
  const auto run = run_in(folder);
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.accepted.empty());
  EXPECT_FALSE(fs::exists(folder / std::string(list_file_name)));
}

TEST(DriverRun, FailsWithStatusOneWhenTheListCanBeNeitherReadNorMade) {
  TemporaryFolder folder;
  fs::create_directory(folder / std::string(list_file_name));
  const auto run = run_in(folder);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("Curvist.par"), std::string::npos) << run.errors;
  EXPECT_TRUE(fs::is_directory(folder / std::string(list_file_name))) << "left as it was";
}

TEST(ListFile, QuotesNamesThatAListDirectedReadWouldCutShort) {
  EXPECT_EQ(list_line_for("a.dat"), "a.dat");
  EXPECT_EQ(list_line_for("a'b.dat"), "'a''b.dat'");
  EXPECT_EQ(list_line_for("my data.dat"), "'my data.dat'");
  EXPECT_EQ(list_line_for("x,y.dat"), "'x,y.dat'");
  EXPECT_EQ(list_line_for("x/y"), "'x/y'");
  EXPECT_EQ(list_line_for("12*a.dat"), "'12*a.dat'");
  EXPECT_EQ(list_line_for("a*2.dat"), "a*2.dat");
  EXPECT_EQ(list_line_for("\"q\".dat"), "'\"q\".dat'");
}

TEST(ListFile, SortsWithoutRegardToCaseAndTiesInByteOrder) {
  TemporaryFolder folder;
  for (const char* name : {"b.dat", "B.dat", "a.DAT", "C.dat", "dir.Dat"}) folder.write(name, "");
  fs::create_directory(folder / "Zdir.dat");
  fs::create_directory(folder / "adir.dat");
  const ScopedCurrentFolder inside(folder.path());
  EXPECT_EQ(data_file_names(),
            (Names{"adir.dat", "Zdir.dat", "a.DAT", "B.dat", "b.dat", "C.dat", "dir.Dat"}));
}

TEST(DriverMain, ShowsOnlyTheBannerWhenEveryFileIsRejected) {
  TemporaryFolder folder;
  folder.write("bad.dat", "-1\n3\n0 0\n1 1\n2 2\n3 3\nx\ny\nt\n");
  std::ostringstream trace;
  const RecordingPlatform recorded(trace);
  const ScopedCurrentFolder inside(folder.path());
  EXPECT_EQ(MAIN(), 0);
  const std::string lines = trace.str();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 7) << lines;
  EXPECT_FALSE(fs::exists(folder / std::string(list_file_name)));
}

}  // namespace
}  // namespace curvist
