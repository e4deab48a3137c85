// A program with signal handlers of its own that draws through the library: the library
// leaves its handlers and its standard error alone, and removes an unfinished picture on
// interruption only when asked, or when the program's own handler calls for it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <curvist/PgPlot.hpp>
#include <curvist/Plot.hpp>
#include <curvist/console/Console.hpp>
#include <curvist/files/TemporaryFileRemoval.hpp>
#include <curvist/platform/PlatformChoice.hpp>
#include "ChildProgram.hpp"
#include "TemporaryFolder.hpp"

namespace {

namespace fs = std::filesystem;
using curvist::testing::described;
using curvist::testing::TemporaryFolder;

volatile std::sig_atomic_t interruptions_seen = 0;
extern "C" void count_interruption(int) { interruptions_seen = interruptions_seen + 1; }

class ProgramConsole final : public curvist::Console {
 public:
  void write_line(std::string_view line) override { lines.emplace_back(line); }
  void read_line() override {}
  void sleep_seconds(int) override {}

  std::vector<std::string> lines;
};

struct sigaction action_of(int signal_number) {
  struct sigaction current {};
  sigaction(signal_number, nullptr, &current);
  return current;
}

std::set<std::string> entries_of(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

bool has_temporary_picture(const fs::path& folder) {
  for (const auto& name : entries_of(folder))
    if (name.starts_with(".curvist-")) return true;
  return false;
}

const double x[] = {0, 1, 2, 3};
const double y[] = {1, 0, 1, 0};
const float x32[] = {0, 1, 2, 3};
const float y32[] = {1, 0, 1, 0};

// Opens a picture, unfinished.ps in the current folder, and leaves it unfinished.
void begin_picture() {
  using Field = curvist::TextField<80>;
  curvist::PGPLOTPACK::PREPARESCREEN(0, 3, 0, 1, true, false, false, Field("x"), Field("y"),
                                     Field("unfinished"), Field("unfinished.ps"), Field("ps"));
}

TEST(HostProgram, KeepsItsSignalHandlerWhileTheLibraryDraws) {
  TemporaryFolder folder;
  const curvist::testing::ScopedCurrentFolder inside(folder.path());
  struct sigaction own {};
  own.sa_handler = count_interruption;
  sigemptyset(&own.sa_mask);
  struct sigaction before {};
  sigaction(SIGINT, &own, &before);
  const auto installed = action_of(SIGINT);

  ProgramConsole console;
  {
    const curvist::ChosenPlatform offscreen(curvist::PlotWindows::offscreen, console);
    curvist::PGPLOTPACK::PGPLOTDP({x, 4, 1}, {y, 4, 1}, {.FILENAME = "matrix.ps"});
    curvist::PGPLOTPACK::PGPLOTLISTSP(x32, y32, {.FILENAME = "list.ps", .DEVICE = "png"});
    curvist::PGPLOTPACK::PGPLOTSP({x32, 4, 1}, {y32, 4, 1}, {.FILENAME = "g.gif", .DEVICE = "gif"});
    curvist::PLOTPACK::PLOTDP({x, 4, 1}, {y, 4, 1}, {.OWNWINDOW = true});
  }
  const auto after = action_of(SIGINT);
  const auto terminate = action_of(SIGTERM);
  const auto hang_up = action_of(SIGHUP);
  raise(SIGINT);
  sigaction(SIGINT, &before, nullptr);

  EXPECT_EQ(after.sa_handler, count_interruption);
  EXPECT_EQ(after.sa_flags, installed.sa_flags);
  EXPECT_EQ(interruptions_seen, 1);
  // Nobody asked the library to take the other two.
  EXPECT_EQ(terminate.sa_handler, SIG_DFL);
  EXPECT_EQ(hang_up.sa_handler, SIG_DFL);
  EXPECT_EQ(console.lines, (std::vector<std::string>{" Output in matrix.ps", " Output in list.png",
                                                     " Output in g.gif"}));
  EXPECT_EQ(entries_of(folder.path()), (std::set<std::string>{"matrix.ps", "list.png", "g.gif"}));
}

// Lines of the host's own, written by a thread of its own while the library draws, and
// its SIGINT handler: all still there afterwards, with the one line of the library's own
// for a picture it could not write, and none of giza's.
TEST(HostProgram, KeepsEveryLineItWritesOnStandardErrorWhileTheLibraryDraws) {
  TemporaryFolder folder;
  const fs::path errors_file = folder / "errors.txt";
  const auto end = curvist::testing::end_of_forked([&] {
    fs::current_path(folder.path());
    const int errors = open(errors_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0600);
    if (errors < 0 || dup2(errors, STDERR_FILENO) < 0) return 1;
    std::signal(SIGINT, count_interruption);
    std::atomic<bool> drawing = true;
    std::thread writer([&drawing] {
      for (int line = 0; drawing || line < 2000; ++line) {
        const std::string text = "host line " + std::to_string(line) + "\n";
        if (write(STDERR_FILENO, text.data(), text.size()) != ssize_t(text.size())) return;
      }
    });
    ProgramConsole console;
    {
      const curvist::ChosenPlatform offscreen(curvist::PlotWindows::offscreen, console);
      for (int picture = 0; picture < 20; ++picture)
        curvist::PGPLOTPACK::PGPLOTDP({x, 4, 1}, {y, 4, 1},
                                      {.FILENAME = "picture" + std::to_string(picture) + ".ps"});
      curvist::PGPLOTPACK::PGPLOTDP({x, 4, 1}, {y, 4, 1}, {.FILENAME = "no-such-folder/a.ps"});
    }
    drawing = false;
    writer.join();
    if (action_of(SIGINT).sa_handler != count_interruption) return 2;
    const int seen_before = interruptions_seen;
    raise(SIGINT);
    return interruptions_seen == seen_before + 1 && console.lines.size() == 20 ? 0 : 3;
  });
  EXPECT_EQ(end.exit_status, 0) << described(end);

  std::ifstream errors(errors_file);
  std::vector<std::string> others;
  int expected_line = 0;
  for (std::string line; std::getline(errors, line);) {
    if (line == "host line " + std::to_string(expected_line))
      ++expected_line;
    else
      others.push_back(line);
  }
  EXPECT_GE(expected_line, 2000) << "every host line, in order";
  EXPECT_EQ(others, std::vector<std::string>{"curvist: cannot write the picture "
                                             "no-such-folder/a.ps: No such file or directory"});
}

TEST(HostProgram, AskedForItTheLibraryRemovesAnUnfinishedPictureOnSigterm) {
  TemporaryFolder folder;
  const auto end = curvist::testing::end_of_forked([&] {
    fs::current_path(folder.path());
    if (!curvist::remove_temporary_files_on_interrupt()) return 1;
    begin_picture();
    if (!has_temporary_picture(folder.path())) return 2;
    raise(SIGTERM);
    return 3;
  });
  EXPECT_EQ(end.signal_number, SIGTERM) << described(end);
  EXPECT_EQ(entries_of(folder.path()), std::set<std::string>{});
}

extern "C" void remove_pictures_and_leave(int) {
  curvist::remove_temporary_files();
  _exit(3);
}

// The program keeps its SIGTERM handler, which has the library remove what it was
// writing, wherever the program's current folder has gone meanwhile.
TEST(HostProgram, ItsOwnHandlerHasTheUnfinishedPictureRemoved) {
  TemporaryFolder folder;
  const auto end = curvist::testing::end_of_forked([&] {
    fs::current_path(folder.path());
    std::signal(SIGTERM, remove_pictures_and_leave);
    if (curvist::remove_temporary_files_on_interrupt()) return 1;  // SIGTERM is the program's
    begin_picture();
    if (!has_temporary_picture(folder.path())) return 2;
    fs::current_path(fs::temp_directory_path());
    raise(SIGTERM);
    return 4;
  });
  EXPECT_EQ(end.exit_status, 3) << described(end);
  EXPECT_EQ(entries_of(folder.path()), std::set<std::string>{});
}

}  // namespace
