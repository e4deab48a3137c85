// The real program over whatever a folder may hold: empty, binary and malformed files,
// extreme headers, huge lines, values that are not finite, awkward names, entries that
// are no regular files, files it may not read, lists that name nonsense. Whatever it
// meets, it ends in time with status 0, leaves every file it found as it was, and makes
// exactly the pictures of the files that are well-formed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CurvistProgram.hpp"
#include "FolderSnapshot.hpp"
#include "LoadPlot.hpp"
#include "Run.hpp"
#include "TemporaryFolder.hpp"
#include "platform/Platform.hpp"
#include "platform/RecordingPlatform.hpp"
#include "plotfile/PlotFile.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

using testing::ChildResult;
using testing::ChildSettings;
using testing::FolderSnapshot;
using testing::Names;
using testing::TemporaryFolder;
using testing::valid_data;
namespace fs = std::filesystem;

struct Outcome {
  ChildResult result;
  Names made;  // entries the run left that were not there before
};

// Runs the program in `folder` and checks what must hold after any run: it ended in time,
// and every entry that was there before is still there, byte for byte.
Outcome run_over(const TemporaryFolder& folder, const ChildSettings& settings = {}) {
  const FolderSnapshot before = testing::snapshot_of(folder.path());
  Outcome outcome;
  outcome.result = testing::run_curvist(folder.path(), settings);
  const FolderSnapshot after = testing::snapshot_of(folder.path());
  EXPECT_FALSE(outcome.result.hung) << "the program did not end in time";
  EXPECT_EQ(testing::lost_or_changed(before, after), Names{}) << "files lost or changed";
  outcome.made = testing::made_since(before, after);
  return outcome;
}

std::string output_lines_for(const Names& pictures) {
  std::string lines;
  for (const auto& picture : pictures) lines += " Output in " + picture + "\n";
  return lines;
}

// The lines of standard output that name a finished picture.
std::string output_lines_of(const std::string& output) {
  std::string lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);)
    if (line.starts_with(" Output in ")) lines += line + "\n";
  return lines;
}

// `pictures` in the order they are made, which is the order of the list.
void expect_clean_run(const Outcome& outcome, const Names& pictures) {
  EXPECT_EQ(outcome.result.end.exit_status, 0) << outcome.result.errors;
  Names sorted = pictures;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(outcome.made, sorted);
  EXPECT_EQ(output_lines_of(outcome.result.output), output_lines_for(pictures))
      << outcome.result.output;
  EXPECT_TRUE(outcome.result.output.starts_with(" Curvist.exe\n"));
  for (const auto& picture : pictures) {
    EXPECT_TRUE(outcome.result.errors.find(picture) == std::string::npos) << outcome.result.errors;
  }
}

TEST(BadInput, EmptyBinaryAndNulFilesAreSkipped) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  folder.write("empty.dat", "");
  std::mt19937 random(20240607);
  std::string noise(5000, '\0');
  for (char& byte : noise) byte = static_cast<char>(random() & 0xFF);
  folder.write("binary.dat", noise);
  folder.write("nul.dat", std::string("-1\n2\n0\0 0\n1 1\nx\ny\nT\n", 20));
  folder.write("all-nul.dat", std::string(4096, '\0'));
  folder.write("nul-lines.dat", std::string("\n\0\n\0\n\0\n\0\n\0\n\0\n\0\n", 14));
  folder.write("crlf.dat", "-1\r\n2\r\n0 0\r\n1 1\r\nx\r\ny\r\nT\r\n");
  folder.write("mac.dat", "-1\r2\r0 0\r1 1\rx\ry\rT\r");
  expect_clean_run(run_over(folder), {"crlf.ps", "good.ps", "mac.ps"});
}

TEST(BadInput, LinesUpTo64KiBAreReadLongerOnesSkipped) {
  TemporaryFolder folder;
  const std::string long_text(60000, 'x');
  const std::string blanks(60000, ' ');
  const std::string megabyte(1 << 20, 'x');
  folder.write("long-caption.dat", "-1\n2\n0 0\n1 1\n" + long_text + "\ny\nTitle\n");
  folder.write("long-data-line.dat", "-1\n2\n0 0" + blanks + "\n1 1\nx\ny\nTitle\n");
  folder.write("long-header-line.dat", blanks + "-1\n2\n0 0\n1 1\nx\ny\nTitle\n");
  folder.write("megabyte-caption.dat", "-1\n2\n0 0\n1 1\n" + megabyte + "\ny\nTitle\n");
  folder.write("one-line.dat", megabyte);
  folder.write("long-number.dat", "-1\n2\n0 " + std::string(1 << 20, '7') + "\n1 1\nx\ny\nT\n");
  folder.write("long-integer.dat", std::string(1 << 20, '9') + "\n2\n0 0\n1 1\nx\ny\nT\n");
  const auto outcome = run_over(folder);
  expect_clean_run(outcome, {"long-caption.ps", "long-data-line.ps", "long-header-line.ps"});
}

TEST(BadInput, ExtremeHeaderNumbersAreSkippedAtOnce) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  const std::string body = "0 0\n1 1\nx\ny\nTitle\n";
  folder.write("min-max.dat", "-2147483648\n2147483647\n" + body);
  folder.write("min-min.dat", "-2147483648\n-2147483648\n" + body);
  folder.write("max-max.dat", "2147483647\n2147483647\n" + body);
  folder.write("max-min.dat", "2147483647\n-2147483648\n" + body);
  folder.write("beyond.dat", "-2147483649\n2\n" + body);
  // More points than memory holds, and just enough lines to pass a count computed in
  // 32 bits.
  folder.write("too-many-points.dat", "-65536\n65537\n" + body);
  folder.write("one-point.dat", "-1\n1\n0 0\nx\ny\nTitle\n");
  folder.write("positive.dat", "2\n5\nx\ny\nTitle\n1\n2\n");
  expect_clean_run(run_over(folder), {"good.ps"});
}

// Both header numbers on the first line pass the reader's first look, but N is then read
// from the second line: here 0, so ten curves of no points, which are not drawn.
TEST(BadInput, HeaderNumbersOnOneLine) {
  TemporaryFolder folder;
  constexpr std::string_view content = "-10 4\n0\nx\ny\nT\nextra\n";
  folder.write("one-line-header.dat", content);
  folder.write("good.dat", valid_data);
  const auto file = read_plot_file((folder / "one-line-header.dat").string());
  ASSERT_TRUE(file);
  EXPECT_EQ(file->curves, 10);
  EXPECT_EQ(file->points, 0);
  EXPECT_TRUE(file->x.empty());
  expect_clean_run(run_over(folder), {"good.ps"});
}

TEST(BadInput, ValuesThatAreNotFinite) {
  TemporaryFolder folder;
  folder.write("nan.dat", "-1\n2\n0 NaN\n1 1\nx\ny\nT\n");
  folder.write("inf.dat", "-1\n2\n0 Inf\n1 1\nx\ny\nT\n");
  folder.write("minus-infinity.dat", "-1\n2\n-Infinity 0\n1 1\nx\ny\nT\n");
  folder.write("overflow.dat", "-1\n2\n0 1e999\n1 1\nx\ny\nT\n");
  // A value that is not finite is a gap; each of the first four leaves one value, no range.
  folder.write("nan-inside.dat", "-1\n3\n0 0\n1 NaN\n2 2\nx\ny\nT\n");
  folder.write("underflow.dat", "-1\n2\n0 1e-999\n1 1\nx\ny\nT\n");
  expect_clean_run(run_over(folder), {"nan-inside.ps", "underflow.ps"});
}

TEST(BadInput, AwkwardNamesArePlottedUnderTheirOwnNames) {
  TemporaryFolder folder;
  for (const auto& name :
       {"my data.dat", "it's.dat", "a,b.dat", "\"quoted\".dat", "3*4.dat", "\xff\xfe\x80.dat",
        "tab\there.dat", "-1.dat", ".dat", "UPPER.DAT", "back\\slash.dat"})
    folder.write(name, valid_data);
  // ".dat" is hidden, so not listed.
  expect_clean_run(run_over(folder),
                   {"\"quoted\".ps", "-1.ps", "3*4.ps", "a,b.ps", "back\\slash.ps", "it's.ps",
                    "my data.ps", "tab\there.ps", "UPPER.ps", "\xff\xfe\x80.ps"});
}

TEST(BadInput, FolderFifoAndDanglingLinkAreSkippedWithoutWaiting) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  fs::create_directory(folder / "folder.dat");
  fs::create_directory(folder / "folder2.dat");
  folder.write("folder2.dat/inner.dat", valid_data);
  ASSERT_EQ(mkfifo((folder / "fifo.dat").c_str(), 0644), 0);
  fs::create_symlink("nowhere.dat", folder / "dangling.dat");
  fs::create_symlink("dangling.dat", folder / "chain.dat");
  fs::create_symlink("loop.dat", folder / "loop.dat");
  fs::create_symlink("good.dat", folder / "link.dat");
  fs::create_symlink("/dev/zero", folder / "zero.dat");
  ChildSettings settings;
  settings.deadline = std::chrono::seconds(60);
  expect_clean_run(run_over(folder, settings), {"good.ps", "link.ps"});
}

TEST(BadInput, UnreadableFileIsSkipped) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  folder.write("secret.dat", valid_data);
  fs::permissions(folder / "secret.dat", fs::perms::none);
  fs::permissions(folder.path(), fs::perms::all);
  ChildSettings settings;
  // Root reads any file: the run goes as an ordinary user.
  if (geteuid() == 0)
    settings.user = testing::nobody;
  else if (std::ifstream(folder / "secret.dat").good())
    GTEST_SKIP() << "this user can read a file with no permissions";
  expect_clean_run(run_over(folder, settings), {"good.ps"});

  // Asked why, the program says what opening the file said.
  fs::remove(folder / "good.ps");
  settings.arguments = {"--explain"};
  const auto explained = testing::run_curvist(folder.path(), settings);
  EXPECT_NE(
      explained.errors.find("curvist: skipped secret.dat: cannot be opened: Permission denied\n"),
      std::string::npos)
      << explained.errors;
}

TEST(BadInput, HandWrittenListNamingNonsense) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  folder.write("b.dat", valid_data);
  fs::create_directory(folder / "folder.dat");
  ASSERT_EQ(mkfifo((folder / "fifo.dat").c_str(), 0644), 0);
  std::string list = "missing.dat\n\n   \nfolder.dat\nfifo.dat\n/\n.\n..\n/dev/zero\n";
  list += std::string(300, 'n') + ".dat\n";
  list += std::string(1 << 20, 'z') + "\n";
  list += std::string("nul\0.dat\n", 9);
  list += "\"b.dat\"\ngood.dat\ngood.dat\n\xff\xfe\n";
  // A quote never closed makes the rest of the list one malformed value: the list ends.
  list += "'unterminated\nb.dat\n";
  folder.write("Curvist.par", list);
  // A name may stand twice: the file is plotted twice, into the same picture.
  const auto outcome = run_over(folder);
  EXPECT_EQ(outcome.result.end.exit_status, 0) << outcome.result.errors;
  EXPECT_EQ(outcome.made, (Names{"b.ps", "good.ps"}));
  EXPECT_EQ(output_lines_of(outcome.result.output),
            output_lines_for({"b.ps", "good.ps", "good.ps"}));
}

// A file changes between its pre-check and its reading: the plotter is handed a file that
// no longer is what the check saw.
struct ChangedFileRun {
  std::string trace;
  int status = 0;
};

ChangedFileRun run_changing(const TemporaryFolder& folder,
                            const std::function<void(const fs::path&)>& change) {
  std::ostringstream trace;
  const RecordingPlatform recorded(trace);
  const testing::ScopedCurrentFolder inside(folder.path());
  ChangedFileRun run;
  run.status = run_in_current_folder([&](std::string_view name, FileText&) {
    change(folder / std::string(without_trailing_blanks(name)));
    LOADPLOTPACK::LOADPLOT(name);
  });
  run.trace = trace.str();
  return run;
}

long count_of(const std::string& text, std::string_view line_start) {
  long count = 0;
  for (std::size_t at = text.find(line_start); at != std::string::npos;
       at = text.find(line_start, at + 1))
    if (at == 0 || text[at - 1] == '\n') ++count;
  return count;
}

TEST(FileChangedAfterPreCheck, IsReadAsItNowIsOrSkipped) {
  const struct {
    const char* what;
    std::function<void(const fs::path&)> change;
    long pictures;
  } cases[] = {
      {"deleted", [](const fs::path& file) { fs::remove(file); }, 0},
      {"emptied", [](const fs::path& file) { std::ofstream(file, std::ios::trunc); }, 0},
      {"cut in its data", [](const fs::path& file) { fs::resize_file(file, 9); }, 0},
      {"grown", [](const fs::path& file) { std::ofstream(file, std::ios::app) << "1 2\n3 4\n"; },
       1},
      {"header grown beyond the body",
       [](const fs::path& file) { std::ofstream(file) << "-1000\n1000000\n0 0\n1 1\nx\ny\nT\n"; },
       0},
      {"replaced by a folder",
       [](const fs::path& file) {
         fs::remove(file);
         fs::create_directory(file);
       },
       0},
      {"replaced by a fifo",
       [](const fs::path& file) {
         fs::remove(file);
         mkfifo(file.c_str(), 0644);
       },
       0},
  };
  for (const auto& changed : cases) {
    SCOPED_TRACE(changed.what);
    TemporaryFolder folder;
    folder.write("a.dat", valid_data);
    const auto run = run_changing(folder, changed.change);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(count_of(run.trace, "PGEND"), changed.pictures) << run.trace;
    EXPECT_EQ(count_of(run.trace, "open_window"), changed.pictures) << run.trace;
  }
}

}  // namespace
}  // namespace curvist
