// curvist --watch run as a user runs it, on a private X server: files rewritten, added,
// broken and written slowly in pieces while the program watches its folder; what its
// windows show, the pictures it writes again, what it prints, and how the session ends.
#include <gtest/gtest.h>

// After the test framework: Xlib defines macros such as None and Bool.
#include "X11Onlooker.hpp"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ChildProgram.hpp"
#include "OffscreenPlots.hpp"
#include "SettlingFiles.hpp"
#include "SourceReadme.hpp"
#include "TemporaryFolder.hpp"
#include "XvfbServer.hpp"

namespace curvist {
namespace {

using namespace std::chrono_literals;
using testing::ChildProgram;
using testing::ChildSettings;
using testing::ClientSize;
using testing::contents_of;
using testing::described;
using testing::fresh_plot_of;
using testing::Onlooker;
using testing::poll_until;
using testing::TemporaryFolder;
using testing::wave_data;
using testing::XvfbServer;
namespace fs = std::filesystem;

// Generous: the sanitizer build draws several times slower.
constexpr auto run_limit = 60s;
constexpr ClientSize new_window{1024, 816};

// The banner, then the size line of the first window (laid out offscreen too).
std::string banner() {
  return " Curvist.exe\n -----------\n \n Last udate: 17/03 2008\n"
         " Optimized for any screen\n Info: file://" +
         testing::source_tree_readme() + "\n \n resx = 1024 ; resy =  816\n \n";
}

std::string output_lines(const std::vector<std::string>& pictures) {
  std::string text;
  for (const auto& picture : pictures) text += " Output in " + picture + "\n";
  return text;
}

// Written whole under another name and renamed into place, as editors save.
void replace_file(const TemporaryFolder& folder, const std::string& name, const std::string& data) {
  folder.write(name + ".new", data);
  fs::rename(folder / (name + ".new"), folder / name);
}

std::vector<std::string> temporary_files(const TemporaryFolder& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder.path()))
    if (entry.path().filename().string().starts_with(".curvist-"))
      found.push_back(entry.path().filename().string());
  return found;
}

// A picture as written whole, holding the title it was drawn with.
bool complete_picture_titled(const fs::path& picture, const std::string& title) {
  const std::string text = contents_of(picture);
  return text.starts_with("%!PS") && text.find("(" + title + ")Tj") != std::string::npos &&
         text.find("%%EOF") != std::string::npos;
}

class WatchEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
    server_ = std::make_unique<XvfbServer>();
    ASSERT_TRUE(server_->running()) << "Xvfb did not start";
    onlooker_ = std::make_unique<Onlooker>(server_->display_name());
    ASSERT_NE(onlooker_->display(), nullptr);
  }

  void start(const std::vector<std::string>& arguments, bool with_display = true) {
    ChildSettings settings;
    settings.arguments = arguments;
    if (with_display) settings.display = server_->display_name();
    settings.deadline = std::chrono::duration_cast<std::chrono::seconds>(run_limit);
    program_ = std::make_unique<ChildProgram>(CURVIST_PROGRAM, folder_.path(), settings);
  }

  // Waits until the program has printed `expected` (or more, or has ended); what it
  // printed.
  std::string output_once(const std::string& expected) {
    program_->wait_until([&] { return program_->output_so_far().size() >= expected.size(); });
    return program_->output_so_far();
  }

  Window window_titled(const std::string& title) {
    Window window = 0;
    poll_until(run_limit, [&] { return (window = onlooker_->find(title)) != 0; });
    return window;
  }

  // Brings the window to the front and waits until it shows the surface from its
  // top-left corner (a surface holds the whole frame, which may pass the window's edge),
  // at the given size; the number of pixels that still differ (-1 when the window could
  // not be read at that size).
  long pixels_differing(Window window, const PixelSurface& surface, ClientSize size) {
    long differing = -1;
    poll_until(
        10s,
        [&] {
          onlooker_->raise(window);
          const auto shown = onlooker_->read(window, size.width, size.height);
          if (shown.width != size.width || shown.height != size.height) return false;
          differing = 0;
          for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x)
              differing += shown.at(x, y) != (surface.at(x, y) & 0xFFFFFF) ? 1 : 0;
          return differing == 0;
        },
        20ms);
    return differing;
  }

  std::unique_ptr<XvfbServer> server_;
  std::unique_ptr<Onlooker> onlooker_;
  TemporaryFolder folder_;
  std::unique_ptr<ChildProgram> program_;
};

TEST_F(WatchEndToEnd, RewrittenAddedAndBrokenFilesAreFollowedUntilTheLastWindowIsClosed) {
  folder_.write("a.dat", wave_data(1, "Wave A"));
  folder_.write("b.dat", wave_data(2, "Wave B"));
  start({"--watch", "--explain"});
  std::string expected = banner() + output_lines({"a.ps", "b.ps"});
  ASSERT_EQ(output_once(expected), expected);
  const Window a = window_titled("Wave A");
  const Window b = window_titled("Wave B");
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);

  // The user made one window smaller; then its file is replaced by a renamed copy.
  XResizeWindow(onlooker_->display(), a, 733, 517);
  XSync(onlooker_->display(), False);
  ASSERT_EQ(pixels_differing(a, *fresh_plot_of(wave_data(1, "Wave A"), {733, 517}), {733, 517}), 0);
  const std::string rewritten = wave_data(-3, "Wave A rewritten", 120);
  replace_file(folder_, "a.dat", rewritten);
  expected += output_lines({"a.ps"});
  EXPECT_EQ(output_once(expected), expected);
  // The same window, under the new title, laid out to the size the user gave it.
  EXPECT_EQ(window_titled("Wave A rewritten"), a);
  EXPECT_EQ(pixels_differing(a, *fresh_plot_of(rewritten, {733, 517}), {733, 517}), 0);
  EXPECT_TRUE(complete_picture_titled(folder_ / "a.ps", "Wave A rewritten"));

  // A new data file gets a window and a picture, as if it had been there at the start.
  folder_.write("c.dat", wave_data(4, "Wave C"));
  expected += output_lines({"c.ps"});
  EXPECT_EQ(output_once(expected), expected);
  const Window c = window_titled("Wave C");
  ASSERT_NE(c, 0u);
  EXPECT_EQ(pixels_differing(c, *fresh_plot_of(wave_data(4, "Wave C"), new_window), new_window), 0);
  EXPECT_TRUE(complete_picture_titled(folder_ / "c.ps", "Wave C"));

  // A file broken: its window and picture stay as they were, and one line says why.
  const std::string picture_b = contents_of(folder_ / "b.ps");
  folder_.write("b.dat", "-2\n60\n0 1\nx\ny\nWave B broken\n");
  const std::string why =
      "curvist: skipped b.dat: 6 lines, at least 125 are needed: the header promises 2 curves "
      "of 60 points\n";
  EXPECT_TRUE(program_->wait_until([&] { return !program_->errors_so_far().empty(); }));
  EXPECT_EQ(program_->errors_so_far(), why);
  EXPECT_EQ(pixels_differing(b, *fresh_plot_of(wave_data(2, "Wave B"), new_window), new_window), 0);
  EXPECT_EQ(contents_of(folder_ / "b.ps"), picture_b);
  EXPECT_EQ(window_titled("Wave B"), b);

  for (const Window window : {a, b, c}) onlooker_->close(window);
  const auto end = program_->wait_for_end(20s);
  ASSERT_TRUE(end) << "still running after every window was closed";
  EXPECT_EQ(end->exit_status, 0) << described(end);
  EXPECT_EQ(program_->output_so_far(), expected);
  EXPECT_EQ(program_->errors_so_far(), why);
  EXPECT_EQ(temporary_files(folder_), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(folder_ / "Curvist.par"));
}

TEST_F(WatchEndToEnd, AFileWrittenSlowlyInPiecesIsNeverDrawnHalfRead) {
  const std::string first = wave_data(1, "First version");
  folder_.write("a.dat", first);
  start({"--watch", "--explain"});
  std::string expected = banner() + output_lines({"a.ps"});
  ASSERT_EQ(output_once(expected), expected);
  const Window window = window_titled("First version");
  ASSERT_NE(window, 0u);

  // Piece by piece, each well within the quiet period of the one before, the title cut
  // in two: the file is read once, whole.
  const std::string second = wave_data(2, "Second version");
  {
    std::ofstream writer(folder_ / "a.dat", std::ios::binary | std::ios::trunc);
    const std::size_t pieces = 8;
    for (std::size_t piece = 0; piece < pieces; ++piece) {
      const std::size_t begin = second.size() * piece / pieces;
      writer << second.substr(begin, second.size() * (piece + 1) / pieces - begin) << std::flush;
      std::this_thread::sleep_for(quiet_period / 10);
      // With --explain a file read and refused would say so: nothing was read.
      EXPECT_EQ(program_->output_so_far(), expected) << "read before its last piece";
      EXPECT_EQ(program_->errors_so_far(), "") << "read before its last piece";
    }
  }
  expected += output_lines({"a.ps"});
  EXPECT_EQ(output_once(expected), expected);
  EXPECT_EQ(window_titled("Second version"), window);
  EXPECT_EQ(pixels_differing(window, *fresh_plot_of(second, new_window), new_window), 0);
  EXPECT_TRUE(complete_picture_titled(folder_ / "a.ps", "Second version"));
  EXPECT_EQ(program_->errors_so_far(), "");

  // A writer that stops half way for longer: what it left is read and refused, and the
  // window and picture show the whole second version meanwhile.
  const std::string picture_before = contents_of(folder_ / "a.ps");
  const std::string third = wave_data(3, "Third version");
  std::ofstream writer(folder_ / "a.dat", std::ios::binary | std::ios::trunc);
  writer << third.substr(0, third.size() / 2) << std::flush;
  EXPECT_TRUE(program_->wait_until([&] { return !program_->errors_so_far().empty(); }));
  EXPECT_TRUE(program_->errors_so_far().starts_with("curvist: skipped a.dat: "))
      << program_->errors_so_far();
  EXPECT_EQ(pixels_differing(window, *fresh_plot_of(second, new_window), new_window), 0);
  EXPECT_EQ(contents_of(folder_ / "a.ps"), picture_before);
  writer << third.substr(third.size() / 2) << std::flush;
  writer.close();
  expected += output_lines({"a.ps"});
  EXPECT_EQ(output_once(expected), expected);
  EXPECT_EQ(pixels_differing(window, *fresh_plot_of(third, new_window), new_window), 0);
  EXPECT_TRUE(complete_picture_titled(folder_ / "a.ps", "Third version"));
}

TEST_F(WatchEndToEnd, CtrlCWhileAPictureIsWrittenAgainLeavesTheOlderOneAndNoTemporaryFile) {
  folder_.write("large.dat", wave_data(1, "Small at first"));
  start({"--watch"});
  const std::string expected = banner() + output_lines({"large.ps"});
  ASSERT_EQ(output_once(expected), expected);
  const std::string picture_before = contents_of(folder_ / "large.ps");
  // Large enough that its picture takes a while to write.
  {
    std::ofstream large(folder_ / "large.new");
    constexpr int points = 1'000'000;
    large << "-1\n" << points << "\n";
    for (int point = 0; point < points; ++point)
      large << point * 0.001 << ' ' << (point % 1000) * 0.001 << '\n';
    large << "x\ny\nLarge now\n";
  }
  fs::rename(folder_ / "large.new", folder_ / "large.dat");
  ASSERT_TRUE(program_->wait_until([&] { return !temporary_files(folder_).empty(); }))
      << "no picture was begun: " << program_->output_so_far();
  program_->send(SIGINT);
  const auto end = program_->wait_for_end(5s);
  ASSERT_TRUE(end) << "still running 5 s after Ctrl-C";
  EXPECT_EQ(end->signal_number, SIGINT) << described(end);
  EXPECT_EQ(program_->output_so_far(), expected)
      << "the picture was finished before the signal; the test could not interrupt it";
  EXPECT_EQ(temporary_files(folder_), std::vector<std::string>{});
  EXPECT_EQ(contents_of(folder_ / "large.ps"), picture_before);
}

TEST_F(WatchEndToEnd, WithoutADisplayThePicturesFollowUntilTheProgramIsEnded) {
  folder_.write("a.dat", wave_data(1, "Wave A"));
  start({"--watch"}, false);
  std::string expected = banner() + output_lines({"a.ps"});
  ASSERT_EQ(output_once(expected), expected);
  folder_.write("a.dat", wave_data(2, "Wave A again"));
  folder_.write("b.dat", wave_data(3, "Wave B"));
  expected += output_lines({"a.ps", "b.ps"});
  EXPECT_EQ(output_once(expected), expected);
  EXPECT_TRUE(complete_picture_titled(folder_ / "a.ps", "Wave A again"));
  EXPECT_TRUE(complete_picture_titled(folder_ / "b.ps", "Wave B"));
  // Nothing is shown, so no window closed ends it: the program waits for more changes.
  EXPECT_FALSE(program_->wait_for_end(500ms)) << described(program_->end());
  program_->send(SIGTERM);
  const auto end = program_->wait_for_end(5s);
  ASSERT_TRUE(end) << "still running 5 s after SIGTERM";
  EXPECT_EQ(end->signal_number, SIGTERM) << described(end);
  EXPECT_EQ(program_->errors_so_far(),
            "curvist: DISPLAY is not set; the screen plots are drawn offscreen and not shown\n");
}

}  // namespace
}  // namespace curvist
