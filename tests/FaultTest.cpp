// The real program when the machine fails it: a folder it may not write, a full disk,
// the X server going away, an interruption in the middle of a plot, too little memory.
// It must end, say what went wrong in one line, and never lose or half-write a file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CurvistProgram.hpp"
#include "FolderSnapshot.hpp"
#include "TemporaryFolder.hpp"
#include "XvfbServer.hpp"

namespace curvist {
namespace {

using testing::ChildProgram;
using testing::ChildResult;
using testing::ChildSettings;
using testing::contents_of;
using testing::curvist_program;
using testing::described;
using testing::FolderSnapshot;
using testing::Names;
using testing::nobody;
using testing::TemporaryFolder;
using testing::valid_data;
namespace fs = std::filesystem;

constexpr std::string_view older_picture = "older picture\n";

bool holds_temporary_picture(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".curvist-")) return true;
  return false;
}

// A data file of `points` points in one curve: about nine bytes a point.
void write_large_data_file(const fs::path& file, int points) {
  std::ofstream out(file, std::ios::binary);
  out << "-1\n" << points << '\n';
  for (int point = 0; point < points; ++point) out << point << ' ' << point % 7 << '\n';
  out << "x\ny\nLarge\n";
}

// The folder read-only, and the run as an ordinary user when root would write anyway.
ChildSettings settings_where_not_writable(const TemporaryFolder& folder) {
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                     fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
  ChildSettings settings;
  if (geteuid() == 0) settings.user = nobody;
  return settings;
}

TEST(Fault, FolderThatCannotBeWrittenWithoutList) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  const FolderSnapshot before = testing::snapshot_of(folder.path());
  const auto result = testing::run_curvist(folder.path(), settings_where_not_writable(folder));
  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.exit_status, 1);
  EXPECT_EQ(result.errors, "curvist: cannot make the list file Curvist.par: Permission denied\n");
  EXPECT_EQ(testing::snapshot_of(folder.path()), before);
}

TEST(Fault, FolderThatCannotBeWrittenWithList) {
  TemporaryFolder folder;
  folder.write("good.dat", valid_data);
  folder.write("good.ps", older_picture);
  folder.write("Curvist.par", "good.dat\n");
  const FolderSnapshot before = testing::snapshot_of(folder.path());
  const auto result = testing::run_curvist(folder.path(), settings_where_not_writable(folder));
  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.exit_status, 1);
  EXPECT_TRUE(
      result.errors.ends_with("curvist: cannot write the picture good.ps: Permission denied\n"))
      << result.errors;
  EXPECT_EQ(result.output.find("Output in"), std::string::npos) << result.output;
  EXPECT_EQ(testing::snapshot_of(folder.path()), before);
}

// A small file system of its own when this process may mount one; otherwise a cap on the
// size of every file the program writes, which fails its writes the same way.
class SmallDisk {
 public:
  SmallDisk() {
    fs::create_directory(folder_ / "disk");
    mounted_ =
        geteuid() == 0 && mount("tmpfs", (folder_ / "disk").c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount((folder_ / "disk").c_str());
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  fs::path path() const { return folder_ / "disk"; }

  // Fills the disk up to `left` free bytes.
  void fill_leaving(std::size_t left) const {
    if (!mounted_) return;
    struct statvfs status {};
    statvfs(path().c_str(), &status);
    const std::size_t free = status.f_bavail * status.f_frsize;
    if (free > left)
      std::ofstream(path() / "filler", std::ios::binary) << std::string(free - left, 'f');
  }

  ChildSettings settings() const {
    ChildSettings settings;
    if (!mounted_) settings.file_size = 2048;
    return settings;
  }

 private:
  TemporaryFolder folder_;
  bool mounted_ = false;
};

TEST(Fault, FullDiskKeepsTheOlderPicture) {
  const SmallDisk disk;
  std::ofstream(disk.path() / "good.dat") << valid_data;
  std::ofstream(disk.path() / "good.ps") << older_picture;
  std::ofstream(disk.path() / "Curvist.par") << "good.dat\n";
  disk.fill_leaving(2048);
  const FolderSnapshot before = testing::snapshot_of(disk.path());
  const auto result = testing::run_curvist(disk.path(), disk.settings());
  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.exit_status, 1);
  EXPECT_TRUE(result.errors.find("curvist: cannot write the picture good.ps: ") !=
              std::string::npos)
      << result.errors;
  EXPECT_EQ(result.output.find("Output in"), std::string::npos) << result.output;
  EXPECT_EQ(testing::snapshot_of(disk.path()), before);
}

TEST(Fault, PictureGizaCannotDrawFailsTheRunButNotTheOtherPictures) {
  TemporaryFolder folder;
  // Values closer together than 32-bit floats draw apart.
  folder.write("a-narrow.dat",
               "-1\n3\n0 1e-39\n1 3e-39\n2 2e-39\nenergy\ncross-section (cm\\u2\\d)\nNarrow\n");
  folder.write("a-narrow.ps", older_picture);
  folder.write("b-good.dat", valid_data);
  const auto result = testing::run_curvist(folder.path());
  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.exit_status, 1);
  const std::string failure =
      "curvist: cannot write the picture a-narrow.ps: its y range, 1e-39 to 3e-39, is narrower "
      "than giza can draw (1e-31)\n";
  EXPECT_TRUE(result.errors.ends_with(failure)) << result.errors;
  EXPECT_EQ(result.errors.find("cannot write"), result.errors.rfind("cannot write"));
  EXPECT_EQ(result.output.find("Output in a-narrow.ps"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find(" Output in b-good.ps\n"), std::string::npos) << result.output;
  EXPECT_EQ(contents_of(folder / "a-narrow.ps"), older_picture);
  EXPECT_TRUE(fs::exists(folder / "b-good.ps"));
  EXPECT_FALSE(holds_temporary_picture(folder.path()));
}

TEST(Fault, FullDiskWithoutRoomForTheList) {
  const SmallDisk disk;
  // Names long enough that their list cannot fit in what is left.
  for (int index = 0; index < 40; ++index)
    std::ofstream(disk.path() / (std::string(60, 'a') + std::to_string(index) + ".dat"))
        << valid_data;
  disk.fill_leaving(0);
  const FolderSnapshot before = testing::snapshot_of(disk.path());
  const auto result = testing::run_curvist(disk.path(), disk.settings());
  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.exit_status, 1);
  EXPECT_TRUE(result.errors.starts_with("curvist: cannot make the list file Curvist.par: "))
      << result.errors;
  EXPECT_EQ(testing::snapshot_of(disk.path()), before);
}

TEST(Fault, DisplayGoneInTheMiddleOfTheRun) {
  if (!testing::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
  testing::XvfbServer server;
  ASSERT_TRUE(server.running());
  TemporaryFolder folder;
  constexpr int file_count = 30;
  Names pictures;
  for (int index = 0; index < file_count; ++index) {
    const std::string base = "file" + std::to_string(100 + index);
    folder.write(base + ".dat", valid_data);
    pictures.push_back(base + ".ps");
  }
  ChildSettings settings;
  settings.display = server.display_name();
  ChildProgram child(curvist_program, folder.path(), settings);
  ASSERT_TRUE(child.wait_until(
      [&] { return child.output_so_far().find("Output in") != std::string::npos; }));
  server.stop();
  const ChildResult result = child.finish();
  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.exit_status, 0) << result.errors;
  EXPECT_NE(result.errors.find("curvist: the connection to the X display was lost"),
            std::string::npos)
      << result.errors;
  for (const auto& picture : pictures) {
    EXPECT_TRUE(fs::exists(folder / picture)) << picture;
    EXPECT_NE(result.output.find(" Output in " + picture + "\n"), std::string::npos) << picture;
  }
  EXPECT_FALSE(fs::exists(folder / "Curvist.par"));
}

class Interruption : public ::testing::TestWithParam<int> {};

TEST_P(Interruption, InTheMiddleOfAPlotLeavesNoTraceAndKeepsTheOlderPicture) {
  TemporaryFolder folder;
  write_large_data_file(folder / "a.dat", 1000000);
  write_large_data_file(folder / "b.dat", 1000000);
  folder.write("a.ps", older_picture);
  const FolderSnapshot before = testing::snapshot_of(folder.path());

  ChildProgram child(curvist_program, folder.path(), {});
  // The picture in the making is a hidden file beside the final one.
  const bool caught = child.wait_until([&] { return holds_temporary_picture(folder.path()); });
  ASSERT_TRUE(caught) << "the run ended before a picture was being drawn";
  child.send(GetParam());
  const ChildResult result = child.finish();

  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.signal_number, GetParam()) << described(result.end);
  EXPECT_FALSE(fs::exists(folder / "Curvist.par"));
  EXPECT_FALSE(holds_temporary_picture(folder.path()));
  EXPECT_EQ(contents_of(folder / "a.ps"), older_picture);
  EXPECT_EQ(testing::lost_or_changed(before, testing::snapshot_of(folder.path())), Names{});
  EXPECT_FALSE(fs::exists(folder / "b.ps"));
}

INSTANTIATE_TEST_SUITE_P(Fault, Interruption, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) { return std::string(strsignal(info.param)); });

// Whether a child of `parent` is stopped.
bool has_stopped_child(pid_t parent) {
  const std::string task = std::to_string(parent) + "/task/" + std::to_string(parent);
  std::istringstream children(contents_of("/proc/" + task + "/children"));
  for (std::string child; children >> child;)
    if (contents_of("/proc/" + child + "/stat").find(") T ") != std::string::npos) return true;
  return false;
}

struct HostileHelperCase {
  std::string_view fault;    // STAND_IN_FAULT, but for its value: a file outside the run
  std::string_view failure;  // why each picture not written fails, after "curvist-picture "
  int signal = 0;            // sent to the run once the stand-in has stopped
};
void PrintTo(const HostileHelperCase& row, std::ostream* out) { *out << row.fault; }

// curvist, started through a link, with a curvist-picture that misbehaves (a stand-in in
// a copy of the program's installation): the run ends, each picture is either written and
// announced or given one error line, and nothing outside the run is touched.
class HostileHelper : public ::testing::TestWithParam<HostileHelperCase> {};

TEST_P(HostileHelper, EndsTheRunAndFailsExactlyThePicturesItOwed) {
  const HostileHelperCase& row = GetParam();
  const TemporaryFolder tree, folder;
  const fs::path stand_in =
      tree / "bin" / CURVIST_LIBDIR_FROM_BINDIR / CURVIST_PICTURE_FOLDER / "curvist-picture";
  fs::create_directories(stand_in.parent_path());
  fs::copy_file(curvist_program, tree / "bin/curvist");
  fs::copy_file(CURVIST_STAND_IN_PICTURE, stand_in);
  fs::create_symlink(tree / "bin/curvist", tree / "curvist");
  const fs::path victim = tree.write("victim.ps", older_picture);
  const FolderSnapshot tree_before = testing::snapshot_of(tree.path());
  constexpr std::string_view names = "abcdefgh";
  for (const char name : names) folder.write(name + std::string(".dat"), valid_data);
  setenv("STAND_IN_FAULT", (std::string(row.fault) + " " + victim.string()).c_str(), 1);
  ChildProgram child(tree / "curvist", folder.path(), {});
  unsetenv("STAND_IN_FAULT");
  if (row.signal != 0) {
    ASSERT_TRUE(child.wait_until([&] { return has_stopped_child(child.process()); }));
    child.send(row.signal);
  }
  const ChildResult result = child.finish();

  EXPECT_FALSE(result.hung);
  const std::string end = row.signal != 0       ? std::string("ended by ") + strsignal(row.signal)
                          : row.failure.empty() ? "exit status 0"
                                                : "exit status 1";
  EXPECT_EQ(described(result.end), end) << result.errors;
  long failed = 0;
  for (const char name : names) {
    const std::string picture = name + std::string(".ps");
    const bool announced = result.output.find(" Output in " + picture + "\n") != std::string::npos;
    const std::string failure = picture + ": curvist-picture " + std::string(row.failure);
    EXPECT_TRUE(!announced || fs::exists(folder / picture)) << picture;
    const bool reported = result.errors.find(failure) != std::string::npos;
    EXPECT_TRUE(row.signal != 0 || announced != reported) << result.errors;
    failed += !announced;
  }
  // One line for each picture not written, after the one that says there is no display.
  EXPECT_TRUE(row.signal != 0 || std::ranges::count(result.errors, '\n') == failed + 1)
      << result.errors;
  EXPECT_FALSE(holds_temporary_picture(folder.path()));
  EXPECT_FALSE(fs::exists(folder / "Curvist.par"));
  EXPECT_EQ(testing::snapshot_of(tree.path()), tree_before);
}

constexpr std::string_view killed = "ended before it was finished: it was ended by signal 9";
constexpr std::string_view ended = "ended before it was finished: it was ended by signal 15";
constexpr std::string_view unusable = "is not one this library can use (it ";
const HostileHelperCase hostile_helpers[] = {{"none 0", ""},
                                             {"dies 2", killed},
                                             {"stops 1", "", SIGINT},
                                             {"stops 1", "", SIGTERM},
                                             {"closes 1", ended},
                                             {"claims 1 1099511627776", unusable},
                                             {"claims 1 1073741824", unusable},
                                             {"answers-PGEND 1", unusable},
                                             {"names 1", unusable}};
INSTANTIATE_TEST_SUITE_P(Fault, HostileHelper, ::testing::ValuesIn(hostile_helpers));

TEST(Fault, MemoryLimitSkipsTheLargeFileAndPlotsTheNext) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than any useful limit";
#else
  TemporaryFolder folder;
  // Ten million points: the file fits in the limit, its arrays (160 MB) do not.
  {
    std::ofstream out(folder / "a-large.dat", std::ios::binary);
    out << "-1\n10000000\n";
    const std::string block = [] {
      std::string lines;
      for (int line = 0; line < 10000; ++line) lines += "0 0\n";
      return lines;
    }();
    for (int block_index = 0; block_index < 1000; ++block_index) out << block;
    out << "x\ny\nT\n";
  }
  folder.write("b-small.dat", valid_data);
  const FolderSnapshot before = testing::snapshot_of(folder.path());
  ChildSettings settings;
  settings.address_space = rlim_t(100) << 20;
  const auto result = testing::run_curvist(folder.path(), settings);
  EXPECT_FALSE(result.hung);
  EXPECT_EQ(result.end.exit_status, 0) << result.errors;
  EXPECT_FALSE(result.end.signal_number) << described(result.end);
  const FolderSnapshot after = testing::snapshot_of(folder.path());
  EXPECT_EQ(testing::lost_or_changed(before, after), Names{});
  EXPECT_EQ(testing::made_since(before, after), Names{"b-small.ps"});
  EXPECT_NE(result.output.find(" Output in b-small.ps\n"), std::string::npos) << result.output;

  // Asked why, the program says so, and runs the same.
  std::filesystem::remove(folder / "b-small.ps");
  settings.arguments = {"--explain"};
  const auto explained = testing::run_curvist(folder.path(), settings);
  EXPECT_EQ(explained.end.exit_status, 0) << explained.errors;
  EXPECT_EQ(explained.output, result.output);
  EXPECT_NE(explained.errors.find("curvist: skipped a-large.dat: the header promises 1 curve of "
                                  "10000000 points, more than the memory holds\n"),
            std::string::npos)
      << explained.errors;
#endif
}

}  // namespace
}  // namespace curvist
