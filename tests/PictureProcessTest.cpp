// Pictures drawn by curvist-picture, the library's own program: it holds none of its
// caller's descriptors and lives in a process group of its own; a picture it could not
// finish because it was killed is one error line and leaves no file behind, and the next
// picture gets a new program; pictures finished in the background keep the order of
// their lines; and the program ends with its caller, taking its unfinished picture along.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ChildProgram.hpp"
#include "PictureFolder.hpp"
#include "RealPictures.hpp"
#include "console/LinesInWaiting.hpp"
#include "console/RecordingErrorStream.hpp"
#include "drawing/GizaPgplot.hpp"
#include "pgplot/PictureProcess.hpp"
#include "pgplot/RemotePgplot.hpp"

namespace curvist {
namespace {

using testing::contents_of;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::PictureFolder;
namespace fs = std::filesystem;

constexpr std::string_view older_picture = "older picture\n";

// A small picture named `name`, begun and drawn but not ended.
void draw_picture(Pgplot& pgplot, const std::string& name) {
  pgplot.PGBEG(0, name + "/ps", 1, 1);
  pgplot.PGPAGE();
  pgplot.PGSWIN(0, 1, 0, 1);
  pgplot.PGBOX("BC", 0, 0, "BC", 0, 0);
  const std::array<float, 3> x{0, 0.5f, 1};
  pgplot.PGLINE(x, x);
}

// What the process's descriptors refer to.
std::vector<std::string> descriptor_targets(pid_t process) {
  std::vector<std::string> targets;
  for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(process) + "/fd")) {
    std::error_code gone;
    targets.push_back(fs::read_symlink(entry.path(), gone).string());
  }
  return targets;
}

// In the folder of the library's SONAME version, so that the next version's program can
// be installed beside it.
TEST(PictureProcess, IsFoundBesideTheLibraryFromItsProgramOrWhereItWasInstalled) {
  PictureFolder folder;
  const fs::path in_its_folder = fs::path(CURVIST_PICTURE_FOLDER) / "curvist-picture";
  EXPECT_THAT(CURVIST_PICTURE_FOLDER, ::testing::MatchesRegex("curvist[0-9]+"));
  const fs::path library_folder = fs::current_path() / "lib";
  fs::create_directories(library_folder / CURVIST_PICTURE_FOLDER);
  std::ofstream(library_folder / in_its_folder) << "";
  EXPECT_EQ(picture_program_for(library_folder / "libcurvist.so.0"),
            (library_folder / in_its_folder).string());

  const fs::path program_folder = fs::current_path() / "prefix" / "bin";
  const std::string from_program = picture_program_for(program_folder / "curvist");
  EXPECT_TRUE(fs::path(from_program).is_absolute()) << from_program;
  EXPECT_THAT(from_program, HasSubstr((fs::current_path() / "prefix").string()));
  EXPECT_THAT(from_program, ::testing::EndsWith((fs::path("/") / in_its_folder).string()));
  EXPECT_THAT(from_program, ::testing::Not(HasSubstr("..")));

  // A program named relatively, where /proc is not mounted, has no file to go by.
  const std::string installed = picture_program_for(std::nullopt);
  EXPECT_TRUE(fs::path(installed).is_absolute()) << installed;
  EXPECT_THAT(installed, ::testing::EndsWith((fs::path("/") / in_its_folder).string()));
}

// Every call reaches giza as made: the program's picture is the one drawn in this
// process, to the byte.
TEST(PictureProcess, DrawsThePictureThatIsDrawnInTheCallersProcess) {
  const PictureFolder folder;
  std::vector<float> x, y;
  for (int i = 0; i < 5000; ++i) {
    x.push_back(0.002f * float(i));
    y.push_back(std::sin(0.37f * float(i)) * std::exp(-0.0003f * float(i)));
  }
  const auto draw = [&](Pgplot& pgplot, const std::string& name) {
    pgplot.PGBEG(0, name + std::string(70, ' ') + "/cps", 1, 1);
    pgplot.PGSLW(3);
    pgplot.PGSCH(1.5f);
    pgplot.PGPAGE();
    pgplot.PGVSTD();
    pgplot.PGSWIN(0, 10, -1, 1);
    pgplot.PGSCR(1, 0.2f, 0.4f, 0.6f);
    pgplot.PGBOX("BCNST", 0, 0, "BCNST", 0, 0);
    pgplot.PGLAB("t (s)", "\\ga\\u2\\d", "Run 7 \xc3\xa9t\xc3\xa9");
    for (const int style : {1, 2, 4}) {
      pgplot.PGSLS(style);
      pgplot.PGLINE(x, y);
    }
    pgplot.PGPT(std::span(x).first(50), std::span(y).first(50), 17);
    return pgplot.PGEND();
  };
  GizaPgplot here;
  RemotePgplot there;
  ASSERT_TRUE(draw(here, "here.ps"));
  ASSERT_TRUE(draw(there, "there.ps"));
  EXPECT_EQ(testing::postscript_body("there.ps"), testing::postscript_body("here.ps"));
}

// Every font the program draws with comes from the one configuration fontconfig loads;
// loading it twice (as giza on its own would) doubles the start-up that the caller's
// first picture waits for. Asked with FC_DEBUG, fontconfig names each file it loads on
// standard output; a program whose input is at its end sets up its fonts and ends.
TEST(PictureProcess, LoadsTheFontConfigurationOnce) {
  const PictureFolder folder;
  setenv("FC_DEBUG", "1024", 1);
  testing::ChildProgram program(picture_program_path(), fs::current_path(), {});
  unsetenv("FC_DEBUG");
  const testing::ChildResult result = program.finish();
  ASSERT_EQ(result.end.exit_status, 0) << testing::described(result.end);
  const std::string& output = result.output;
  const auto first_load = output.find("Loading config file");
  ASSERT_NE(first_load, std::string::npos) << output.substr(0, 500);
  const std::string first_file =
      output.substr(first_load, output.find('\n', first_load) + 1 - first_load);
  std::size_t loads = 0;
  for (auto at = output.find(first_file); at != std::string::npos;
       at = output.find(first_file, at + first_file.size()))
    ++loads;
  EXPECT_EQ(loads, 1u);
}

TEST(PictureProcess, HoldsNoneOfItsCallersDescriptorsAndLivesInAProcessGroupOfItsOwn) {
  const PictureFolder folder;
  // A descriptor that a careless caller leaves open across exec.
  const int careless = open("careless.txt", O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(careless, 0);
  RemotePgplot pgplot;
  pgplot.finish_in_background(true);
  ASSERT_NE(pgplot.process(), nullptr);
  const pid_t program = pgplot.process()->process();
  EXPECT_THAT(descriptor_targets(program), Not(Contains(HasSubstr("careless.txt"))));
  // A Ctrl-C at the terminal is the caller's to handle, not the program's to die of.
  EXPECT_EQ(getpgid(program), program);
  EXPECT_NE(getpgid(program), getpgrp());
  pgplot.finish_in_background(false);
  close(careless);
}

TEST(PictureProcess, APictureWhoseProgramIsKilledIsOneErrorLineAndTheNextGetsANewProgram) {
  const PictureFolder folder;
  { std::ofstream("a.ps") << older_picture; }
  std::ostringstream errors;
  RecordingErrorStream error_stream(errors);
  RemotePgplot pgplot(error_stream);
  draw_picture(pgplot, "a.ps");
  ASSERT_NE(pgplot.process(), nullptr);
  const pid_t killed = pgplot.process()->process();
  // Killed, it cannot remove the file it was drawing into: the library does.
  ASSERT_EQ(kill(killed, SIGKILL), 0);
  const std::vector<float> more(100'000, 0.25f);
  pgplot.PGLINE(more, more);
  EXPECT_FALSE(pgplot.PGEND());
  EXPECT_EQ(errors.str(),
            "curvist: cannot write the picture a.ps: curvist-picture ended before it was "
            "finished: it was ended by signal 9 (Killed)\n");
  EXPECT_EQ(contents_of("a.ps"), older_picture);
  EXPECT_THAT(folder.entries(), ElementsAre("a.ps"));

  draw_picture(pgplot, "b.ps");
  EXPECT_TRUE(pgplot.PGEND());
  ASSERT_NE(pgplot.process(), nullptr);
  EXPECT_NE(pgplot.process()->process(), killed);
  EXPECT_THAT(contents_of("b.ps"), ::testing::StartsWith("%!PS"));
}

// Behind a queue of pictures a second program draws too; the lines still come in the
// order the pictures were begun.
TEST(PictureProcess, PicturesFinishedInTheBackgroundKeepTheOrderOfTheirLines) {
  const PictureFolder folder;
  std::ostringstream errors;
  RecordingErrorStream error_stream(errors);
  RemotePgplot pgplot(error_stream);
  pgplot.finish_in_background(true);
  std::vector<std::string> lines;
  const auto note = [&lines](std::string name) {
    return [&lines, name](bool complete) {
      lines.push_back(name + (complete ? " written" : " not written"));
    };
  };
  std::set<pid_t> programs;
  draw_picture(pgplot, "no-such-folder/a.ps");
  pgplot.end_then(note("a"));
  for (const std::string name : {"b", "c", "d", "e", "f", "g"}) {
    draw_picture(pgplot, name + ".ps");
    if (pgplot.process() != nullptr) programs.insert(pgplot.process()->process());
    pgplot.end_then(note(name));
  }
  // A line of the caller's own, written after the pictures ended, comes after theirs.
  write_lines_in_waiting();
  lines.push_back("the caller's line");
  EXPECT_THAT(lines, ElementsAre("a not written", "b written", "c written", "d written",
                                 "e written", "f written", "g written", "the caller's line"));
  EXPECT_EQ(errors.str(),
            "curvist: cannot write the picture no-such-folder/a.ps: No such file or directory\n");
  EXPECT_EQ(programs.size(), 2u) << "the first program was still setting up its fonts";
  pgplot.finish_in_background(false);
  EXPECT_THAT(folder.entries(), ElementsAre("b.ps", "c.ps", "d.ps", "e.ps", "f.ps", "g.ps"));
}

TEST(PictureProcess, EndsWithItsCallerAndTakesItsUnfinishedPictureAlong) {
  const PictureFolder folder;
  int program_pipe[2];
  ASSERT_EQ(pipe(program_pipe), 0);
  const auto end = testing::end_of_forked([&] {
    // This process inherits the picture program once its caller has gone.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const pid_t caller = fork();
    if (caller == 0) {
      RemotePgplot pgplot;
      draw_picture(pgplot, "unfinished.ps");
      const pid_t program = pgplot.process() ? pgplot.process()->process() : 0;
      const bool told = write(program_pipe[1], &program, sizeof program) == sizeof program;
      // Gone at once: no PGEND, no destructor.
      _exit(told ? 0 : 1);
    }
    pid_t program = 0;
    if (read(program_pipe[0], &program, sizeof program) != sizeof program || program <= 0) return 2;
    waitpid(caller, nullptr, 0);
    for (int waited = 0; waited < 1000; ++waited) {
      if (waitpid(program, nullptr, WNOHANG) == program) return 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 3;  // still running ten seconds after its caller
  });
  close(program_pipe[0]);
  close(program_pipe[1]);
  EXPECT_EQ(end.exit_status, 0) << testing::described(end);
  EXPECT_THAT(folder.entries(), ::testing::IsEmpty());
}

}  // namespace
}  // namespace curvist
