// A session that follows its data files, driven step by step with the kernel's real
// changes of a folder and times of the test's choosing: which files are drawn again, into
// which windows, when, and what is said about the files that fail.
#include "PreCheck.hpp"
#include "WatchSession.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "LoadPlot.hpp"
#include "OffscreenPlots.hpp"
#include "Plot.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using namespace std::chrono_literals;
using testing::calls_named;
using testing::differing_pixels;
using testing::OffscreenRun;
using testing::ScopedCurrentFolder;
using testing::TemporaryFolder;
using testing::wave_data;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

class WatchSessionTest : public ::testing::Test {
 protected:
  WatchSessionTest() : inside_(folder_.path()) {
    std::string reason;
    events_ = FolderEvents::open(reason);
    if (events_) current_folder_ = events_->watch(".", reason);
    if (current_folder_ < 0) throw std::runtime_error("cannot watch: " + reason);
  }

  // The run: the files it accepted, plotted by the session, in this order.
  void start(const std::vector<std::string>& accepted, bool explain,
             std::optional<std::vector<std::string>> listed = std::nullopt) {
    session_.emplace(*events_, current_folder_, RunOptions{.explain = explain}, listed);
    for (const auto& name : accepted) session_->plot_accepted(name, *pre_checked_text(name));
    run_.new_lines();
    events_->take_changes();
  }

  // The changes of the folder so far, noted now; then the console lines of the files
  // that settled by `later`.
  Lines settle(std::chrono::milliseconds later = quiet_period) {
    session_->note(events_->take_changes(), now_);
    session_->draw_settled(now_ + later);
    now_ += 1h;
    return calls_named(run_.new_lines(), "console");
  }

  // The window's pixels, the size of a window opened at the start.
  const PixelSurface& pixels_of(const std::string& name) {
    return *run_.windows.unit(*session_->window_of(name))->surface;
  }

  // A fresh plot of the file as it is now, in a window of the size the run's windows open.
  std::unique_ptr<PixelSurface> fresh_plot(const std::string& name) {
    OffscreenRun fresh;
    LOADPLOTPACK::LOADPLOT(name);
    return std::move(fresh.windows.unit(first_plot_window_unit)->surface);
  }

  TemporaryFolder folder_;
  ScopedCurrentFolder inside_;
  OffscreenRun run_;
  std::unique_ptr<FolderEvents> events_;
  int current_folder_ = -1;
  std::optional<WatchSession> session_;
  WatchClock::time_point now_ = WatchClock::now();
};

TEST_F(WatchSessionTest, AFileRewrittenIsDrawnAgainOnceQuietAndANewOneAsIfListed) {
  folder_.write("a.dat", wave_data(1, "A"));
  folder_.write("b.dat", wave_data(2, "B"));
  start({"a.dat", "b.dat"}, false);
  ASSERT_EQ(session_->window_of("a.dat"), 101);
  ASSERT_EQ(session_->window_of("b.dat"), 102);

  folder_.write("a.dat", wave_data(-4, "A, rewritten"));
  EXPECT_EQ(settle(quiet_period - 1ms), Lines{}) << "still settling";
  EXPECT_EQ(settle(), Lines{"console \" Output in a.ps\""});
  EXPECT_EQ(session_->window_of("a.dat"), 101);
  EXPECT_EQ(differing_pixels(pixels_of("a.dat"), *fresh_plot("a.dat")), 0);
  EXPECT_EQ(run_.windows.unit(101)->title, "A, rewritten");

  // New entries: only a data file by the listing's rules is plotted.
  folder_.write("c.dat", wave_data(3, "C"));
  folder_.write(".hidden.dat", wave_data(3, "Hidden"));
  folder_.write("notes.txt", wave_data(3, "Notes"));
  folder_.write("c.ps", "%!PS\n");
  fs::create_directory(folder_ / "d.dat");
  EXPECT_EQ(settle(), Lines{"console \" Output in c.ps\""});
  EXPECT_EQ(session_->window_of("c.dat"), 103);
  EXPECT_EQ(differing_pixels(pixels_of("c.dat"), *fresh_plot("c.dat")), 0);
  EXPECT_EQ(PLOTPACK::window_counter(), 103);
  EXPECT_EQ(run_.windows.units().size(), 4u);
}

TEST_F(WatchSessionTest, AFileThatNowFailsLeavesItsWindowAndPictureAndSaysWhyWhenAsked) {
  folder_.write("a.dat", wave_data(1, "A"));
  start({"a.dat"}, true);
  const auto shown = fresh_plot("a.dat");
  // Cut short: the header promises 60 points.
  folder_.write("a.dat", wave_data(1, "A").substr(0, 200));
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(run_.new_errors(),
            "curvist: skipped a.dat: 18 lines, at least 65 are needed: the header promises 1 "
            "curve of 60 points\n");
  EXPECT_EQ(differing_pixels(pixels_of("a.dat"), *shown), 0);
  EXPECT_EQ(run_.windows.unit(101)->title, "A");

  fs::remove(folder_ / "a.dat");
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(run_.new_errors(), "curvist: skipped a.dat: no such file\n");
  // A data file that came and went without ever being plotted is nothing to tell.
  folder_.write("passing.dat", wave_data(1, "Passing"));
  fs::remove(folder_ / "passing.dat");
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(run_.new_errors(), "");

  // Complete again, it is drawn into its window.
  folder_.write("a.dat", wave_data(2, "A, whole"));
  EXPECT_EQ(settle(), Lines{"console \" Output in a.ps\""});
  EXPECT_EQ(run_.new_errors(), "");
  EXPECT_EQ(differing_pixels(pixels_of("a.dat"), *fresh_plot("a.dat")), 0);
}

TEST_F(WatchSessionTest, AHandWrittenListIsFollowedNameByNameAndReadAgainWhenItChanges) {
  fs::create_directory(folder_ / "sub");
  for (const auto* name : {"a.dat", "b.dat", "sub/c.dat"}) folder_.write(name, wave_data(1, name));
  folder_.write("Curvist.par", "'sub/c.dat'\nb.dat\n");
  start({"sub/c.dat", "b.dat"}, false, std::vector<std::string>{"sub/c.dat", "b.dat"});

  for (const auto* name : {"a.dat", "b.dat", "sub/c.dat"}) folder_.write(name, wave_data(2, name));
  // In the list's order; a.dat is not listed.
  EXPECT_EQ(settle(), (Lines{"console \" Output in sub/c.ps\"", "console \" Output in b.ps\""}));
  EXPECT_EQ(session_->window_of("a.dat"), std::nullopt);

  // Listed now: a.dat is plotted at once; b.dat keeps its window but is no longer followed.
  folder_.write("Curvist.par", "a.dat\n'sub/c.dat'\n");
  EXPECT_EQ(settle(), Lines{"console \" Output in a.ps\""});
  EXPECT_EQ(session_->window_of("a.dat"), 103);
  folder_.write("b.dat", wave_data(3, "b.dat"));
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(session_->window_of("b.dat"), 102);

  fs::remove(folder_ / "Curvist.par");
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(run_.new_errors(),
            "curvist: cannot read the list file Curvist.par again: no such file; the names "
            "it listed are followed as before\n");
  folder_.write("sub/c.dat", wave_data(4, "sub/c.dat"));
  EXPECT_EQ(settle(), Lines{"console \" Output in sub/c.ps\""});
}

TEST_F(WatchSessionTest, ANewFileWhoseNameBeginsWithAnotherOnesGetsAPictureOfItsOwn) {
  const std::string data_file = std::string(76, 'S').append(".dat");
  folder_.write(data_file, wave_data(1, "S"));
  start({data_file}, false);
  // The kernel names it whole: its picture name is not cut into the other file's name.
  folder_.write(data_file + ".old.dat", wave_data(2, "Old"));
  EXPECT_EQ(settle(), Lines{"console \" Output in " + data_file + ".old.ps\""});
}

TEST_F(WatchSessionTest, ACloseThatChangesNothingDrawsNothing) {
  folder_.write("a.dat", wave_data(1, "A"));
  start({"a.dat"}, false);
  const std::string content = wave_data(2, "A again");
  std::ofstream writer(folder_ / "a.dat", std::ios::binary | std::ios::trunc);
  writer << content << std::flush;
  EXPECT_EQ(settle(), Lines{"console \" Output in a.ps\""});
  writer.close();  // long after its last write
  EXPECT_EQ(settle(), Lines{});
  // Written through memory it maps, a file tells only its close: that close counts.
  const int descriptor = open("a.dat", O_RDWR);
  void* mapped = mmap(nullptr, content.size(), PROT_WRITE, MAP_SHARED, descriptor, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  static_cast<char*>(mapped)[content.rfind("A again")] = 'B';
  munmap(mapped, content.size());
  close(descriptor);
  EXPECT_EQ(settle(), Lines{"console \" Output in a.ps\""});
  EXPECT_EQ(run_.windows.unit(101)->title, "B again");
}

TEST_F(WatchSessionTest, AListedFolderRemovedOrSwappedIsFollowedAgainOnceItIsBack) {
  fs::create_directories(folder_ / "run2");
  folder_.write("run2/p.dat", wave_data(1, "First"));
  start({"run2/p.dat"}, true, std::vector<std::string>{"run2/p.dat"});
  fs::remove_all(folder_ / "run2");
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(run_.new_errors(),
            "curvist: the folder run2 was removed; the files listed in it are followed again "
            "once it is back\ncurvist: skipped run2/p.dat: no such file\n");
  fs::create_directory(folder_ / "run2");
  folder_.write("run2/p.dat", wave_data(2, "Second"));
  EXPECT_EQ(settle(), Lines{"console \" Output in run2/p.ps\""});
  // Swapped for a folder made elsewhere: its file is read, the one moved away no more.
  fs::create_directory(folder_ / "new");
  folder_.write("new/p.dat", wave_data(3, "Third"));
  fs::rename(folder_ / "run2", folder_ / "old");
  fs::rename(folder_ / "new", folder_ / "run2");
  EXPECT_EQ(settle(), Lines{"console \" Output in run2/p.ps\""});
  folder_.write("old/p.dat", wave_data(4, "Old"));
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(run_.new_errors(), "");
  fs::remove_all(folder_.path());
  EXPECT_EQ(settle(), Lines{});
  EXPECT_EQ(run_.new_errors(),
            "curvist: the folder run2 was removed; the files listed in it are followed again "
            "once it is back\ncurvist: the folder being watched was removed; no change of its "
            "files can be followed any more\ncurvist: skipped run2/p.dat: no such file\n");
}

TEST_F(WatchSessionTest, ChangesTheKernelCouldNotTellHaveEveryFileReadAgain) {
  folder_.write("a.dat", wave_data(1, "A"));
  folder_.write("b.dat", wave_data(2, "B"));
  start({"a.dat"}, false);
  // b.dat came while the kernel's queue was full.
  session_->note({{every_folder, ""}}, now_);
  session_->draw_settled(now_ + quiet_period);
  EXPECT_EQ(calls_named(run_.new_lines(), "console"),
            (Lines{"console \" Output in a.ps\"", "console \" Output in b.ps\""}));
  EXPECT_EQ(session_->window_of("b.dat"), 102);
}

}  // namespace
}  // namespace curvist
