// curvist --explain as a user runs it: every listed file that is not plotted gets one
// line on standard error with its first reason, and nothing else changes: the console on
// standard output, the pictures and the other error lines are those of a run without it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CurvistProgram.hpp"
#include "FolderSnapshot.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::ChildResult;
using testing::ChildSettings;
using testing::Names;
using testing::TemporaryFolder;
using testing::valid_data;
namespace fs = std::filesystem;

// The lines of standard error that explain a skipped file, and the others.
struct ErrorLines {
  Names skipped;
  Names other;
};

ErrorLines error_lines_of(const std::string& errors) {
  ErrorLines lines;
  std::istringstream in(errors);
  for (std::string line; std::getline(in, line);)
    (line.starts_with("curvist: skipped ") ? lines.skipped : lines.other).push_back(line);
  return lines;
}

struct ComparedRuns {
  ChildResult plain;
  ChildResult explained;
  Names pictures;  // what the explained run made
};

// The same folder run twice, without and with --explain; the pictures of the first run
// are removed before the second, so that both start from the same folder.
ComparedRuns run_twice(const TemporaryFolder& folder, ChildSettings settings = {}) {
  ComparedRuns runs;
  const auto before = testing::snapshot_of(folder.path());
  runs.plain = testing::run_curvist(folder.path(), settings);
  for (const auto& made : testing::made_since(before, testing::snapshot_of(folder.path())))
    fs::remove(folder / made);
  settings.arguments = {"--explain"};
  runs.explained = testing::run_curvist(folder.path(), settings);
  runs.pictures = testing::made_since(before, testing::snapshot_of(folder.path()));
  EXPECT_FALSE(runs.plain.hung || runs.explained.hung);
  EXPECT_EQ(runs.plain.end.exit_status, 0) << runs.plain.errors;
  EXPECT_EQ(runs.explained.end.exit_status, 0) << runs.explained.errors;
  EXPECT_EQ(runs.explained.output, runs.plain.output) << "the console is the same";
  EXPECT_EQ(error_lines_of(runs.plain.errors).skipped, Names{}) << "silent without the option";
  EXPECT_EQ(error_lines_of(runs.explained.errors).other, error_lines_of(runs.plain.errors).other);
  return runs;
}

TEST(Explain, GivesEachSkippedFileOneLineWithItsFirstReason) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  folder.write("mac.dat", "-1\r2\r0 0\r1 1\rx\ry\rT\r");
  // Refused by the pre-check.
  folder.write("spectrum.dat", "-1\n1.5\n0 0\n1 1\nx\ny\nt\n");
  folder.write("short.dat", "-1\n2\n0 0\n1 1\n");
  folder.write("mismatch.dat", "-1\n3\n0 0\n1 1\n2 2\n1.5E+3\nx\ny\nt\n");
  fs::create_directory(folder / "folder.dat");
  ASSERT_EQ(mkfifo((folder / "fifo.dat").c_str(), 0644), 0);
  fs::create_symlink("nowhere.dat", folder / "dangling.dat");
  // Passed by the pre-check, refused by the reader.
  folder.write("na.dat", "-1\n3\n0 0\nn/a 1\n2 2\nx\ny\nt\n");
  folder.write("positive.dat", "2\n5\nx\ny\nt\nmore\n");

  const ComparedRuns runs = run_twice(folder);
  EXPECT_EQ(runs.pictures, (Names{"good.ps", "mac.ps"}));
  // In list order: folders first, then the files by name.
  EXPECT_EQ(error_lines_of(runs.explained.errors).skipped,
            (Names{
                "curvist: skipped folder.dat: a directory",
                "curvist: skipped dangling.dat: a link to a missing file",
                "curvist: skipped fifo.dat: a FIFO",
                "curvist: skipped mismatch.dat: line 6: the x caption \"1.5E+3\" is a number: "
                "the header promises 1 curve of 3 points",
                "curvist: skipped na.dat: line 4: \"n/a\" is not a number",
                "curvist: skipped positive.dat: line 1: 2 is not negative (minus the number of "
                "curves)",
                "curvist: skipped short.dat: 4 lines, at least 6 are needed",
                "curvist: skipped spectrum.dat: line 2: \"1.5\" is not an integer (the number of "
                "points)",
            }));
}

TEST(Explain, NamesListedFilesThatDoNotExist) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  fs::create_directory(folder / "run2");
  folder.write("Curvist.par", "missing.dat\nmy data.dat\ngood.dat\n run2/pressure.dat\n");
  const ComparedRuns runs = run_twice(folder);
  EXPECT_EQ(runs.pictures, (Names{"good.ps"}));
  EXPECT_EQ(
      error_lines_of(runs.explained.errors).skipped,
      (Names{"curvist: skipped missing.dat: no such file", "curvist: skipped my: no such file",
             "curvist: skipped run2: a directory; a name with a folder is written in "
             "apostrophes in Curvist.par: 'run2/pressure.dat'"}))
      << "an unquoted name ends at its blank or slash";
}

}  // namespace
}  // namespace curvist
