// The curvist program run as a user runs it, in a folder of data files, on a private X
// server: what it prints, the windows it shows and their pixels, the pictures it writes,
// the list file, and how the run ends. CURVIST_E2E_PROGRAM names the program to run (an
// installed one) and CURVIST_E2E_DOC_DIR the documentation folder it is installed with;
// without them the build tree's program is run, which names the source tree's README.
#include <gtest/gtest.h>

// After the test framework: Xlib defines macros such as None and Bool.
#include "X11Onlooker.hpp"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProgram.hpp"
#include "LoadPlot.hpp"
#include "Plot.hpp"
#include "SourceReadme.hpp"
#include "TemporaryFolder.hpp"
#include "XvfbServer.hpp"
#include "console/RecordingConsole.hpp"
#include "devices/GifWriter.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/OffscreenWindows.hpp"

namespace curvist {
namespace {

using namespace std::chrono_literals;
using testing::ChildProgram;
using testing::ChildSettings;
using testing::contents_of;
using testing::described;
using testing::Onlooker;
using testing::poll_until;
using testing::ScopedCurrentFolder;
using testing::TemporaryFolder;
using testing::XvfbServer;

// Generous: the sanitizer build draws several times slower.
constexpr auto run_limit = 60s;

const std::filesystem::path examples = std::filesystem::path(CURVIST_SOURCE_DIR) / "examples";

std::string environment_or(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

std::filesystem::path program_under_test() {
  return environment_or("CURVIST_E2E_PROGRAM", CURVIST_PROGRAM);
}

bool testing_an_installed_program() { return std::getenv("CURVIST_E2E_PROGRAM") != nullptr; }

// The file's title line with its PGPLOT escapes removed, as the window shows it.
std::string window_title_of(const std::filesystem::path& data_file) {
  std::istringstream lines(contents_of(data_file));
  std::string line;
  std::string last;
  while (std::getline(lines, line))
    if (!line.empty()) last = line;
  PLOTPACK::TextField120 title(last);
  PLOTPACK::PURGE(title.characters());
  const std::string_view text = title.trimmed();
  return std::string(text.substr(std::min(text.find_first_not_of(' '), text.size())));
}

// What the program prints for a run that writes `pictures` in this order.
std::string expected_console(const std::vector<std::string>& pictures) {
  std::string text =
      " Curvist.exe\n -----------\n \n Last udate: 17/03 2008\n"
      " Optimized for any screen\n Info: file://";
  const std::string installed_doc_dir = environment_or("CURVIST_E2E_DOC_DIR", "");
  text +=
      installed_doc_dir.empty() ? testing::source_tree_readme() : installed_doc_dir + "/README.md";
  text += "\n \n";
  // The first window's drawing size: 80% of the 1280 by 1024 screen, in whole cells.
  if (!pictures.empty()) text += " resx = 1024 ; resy =  816\n \n";
  for (const auto& picture : pictures) text += " Output in " + picture + "\n";
  return text;
}

const std::vector<std::string> accepted_examples = {"absorption-spectrum.dat",
                                                    "damped-oscillation.dat", "step-responses.dat"};
const std::vector<std::string> their_pictures = {"absorption-spectrum.ps", "damped-oscillation.ps",
                                                 "step-responses.ps"};
constexpr const char* rejected_example = "mismatched-header.dat";

// The titles of the accepted examples' windows, in the order they are plotted.
std::vector<std::string> accepted_titles(const TemporaryFolder& folder) {
  std::vector<std::string> titles;
  for (const auto& name : accepted_examples) titles.push_back(window_title_of(folder / name));
  return titles;
}

void copy_examples_into(const TemporaryFolder& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(examples))
    if (entry.path().extension() == ".dat")
      std::filesystem::copy_file(entry.path(), folder / entry.path().filename().string());
}

struct ClientSize {
  int width = 0;
  int height = 0;
};

// The screen plots of the files as the program draws them, drawn here offscreen on a
// screen of the same size, in the same order, with nothing written to disk; or into
// windows opened at another size.
std::unique_ptr<OffscreenWindows> reference_plots(const std::vector<std::string>& names,
                                                  std::optional<ClientSize> window_size = {}) {
  TemporaryFolder folder;
  copy_examples_into(folder);
  auto windows = std::make_unique<OffscreenWindows>(ScreenSize{1280, 1024});
  if (window_size) windows->set_new_window_size(window_size->width, window_size->height);
  std::ostringstream trace;
  RecordingConsole console(trace);
  RecordingPgplot pgplot(trace);
  ScopedPlatform platform({console, pgplot, *windows});
  ScopedCurrentFolder inside(folder.path());
  for (const auto& name : names) LOADPLOTPACK::LOADPLOT(name);
  return windows;
}

// A PostScript picture rendered by Ghostscript: a landscape page, white paper, a frame
// of two long dark sides, and ink inside it. Empty when it looks right, else what is wrong.
std::string picture_problems(const std::filesystem::path& picture) {
  if (!std::filesystem::exists(picture)) return picture.filename().string() + " is missing";
  const std::string png = picture.string() + ".png";
  const std::string command =
      "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile='" + png + "' '" +
      picture.string() + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return "Ghostscript cannot render " + picture.string();
  RgbImage page;
  const auto unreadable = read_png(png, page);
  std::filesystem::remove(png);
  if (unreadable) return *unreadable;
  const auto dark = [&](int column, int row) {
    const std::uint32_t pixel = page.pixels[static_cast<std::size_t>(row) * page.width + column];
    return ((pixel >> 16) & 0xFF) < 100 && ((pixel >> 8) & 0xFF) < 100 && (pixel & 0xFF) < 100;
  };
  std::ostringstream problems;
  if (page.width <= page.height)
    problems << "not landscape: " << page.width << "x" << page.height << "; ";
  if (dark(0, 0)) problems << "painted background; ";
  std::vector<int> frame_sides;
  for (int column = 0; column < page.width; ++column) {
    int ink = 0;
    for (int row = 0; row < page.height; ++row) ink += dark(column, row) ? 1 : 0;
    if (ink > page.height / 3) frame_sides.push_back(column);
  }
  if (frame_sides.size() < 2 || frame_sides.back() - frame_sides.front() < page.width / 2) {
    problems << "no frame; ";
  } else {
    int curves = 0;
    for (int row = page.height / 4; row < page.height * 3 / 4; ++row)
      for (int column = frame_sides.front() + 3; column < frame_sides.back() - 3; ++column)
        curves += dark(column, row) ? 1 : 0;
    if (curves < 200) problems << "no curves inside the frame (" << curves << " dark pixels); ";
  }
  return problems.str().empty() ? "" : picture.filename().string() + ": " + problems.str();
}

// The program run in a folder of its own, with its output captured.
struct ProgramRun {
  TemporaryFolder folder;
  std::unique_ptr<ChildProgram> process;

  void start(const std::optional<std::string>& display) {
    ChildSettings settings;
    settings.display = display;
    settings.deadline = std::chrono::duration_cast<std::chrono::seconds>(run_limit);
    process = std::make_unique<ChildProgram>(program_under_test(), folder.path(), settings);
  }

  // Waits until the program has printed as many lines as `expected` holds, or has ended;
  // what it printed.
  std::string output_once(const std::string& expected) {
    const auto lines = std::count(expected.begin(), expected.end(), '\n');
    process->wait_until([&] {
      const std::string output = process->output_so_far();
      return std::count(output.begin(), output.end(), '\n') >= lines;
    });
    // A program that ended may have written its last lines just before.
    return process->output_so_far();
  }
};

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed()) {
      // The package check must not pass by skipping.
      if (testing_an_installed_program()) FAIL() << "Xvfb is not installed";
      GTEST_SKIP() << "Xvfb is not installed";
    }
    server_ = std::make_unique<XvfbServer>();
    ASSERT_TRUE(server_->running()) << "Xvfb did not start";
    onlooker_ = std::make_unique<Onlooker>(server_->display_name());
    ASSERT_NE(onlooker_->display(), nullptr);
  }

  void start(ProgramRun& run) { run.start(server_->display_name()); }

  // Waits until a window of each title is on screen; them in the same order. A window
  // is made before the lines of the pictures ahead of it are written, and mapped after.
  std::vector<Window> windows_titled(const std::vector<std::string>& titles) {
    std::vector<Window> found;
    poll_until(run_limit, [&] {
      found.clear();
      for (const auto& title : titles) found.push_back(onlooker_->find(title));
      return std::all_of(found.begin(), found.end(),
                         [&](Window window) { return window != 0 && onlooker_->viewable(window); });
    });
    return found;
  }

  std::vector<std::string> titles_on_screen() const {
    std::vector<std::string> titles;
    for (const auto& window : onlooker_->titled_windows()) titles.push_back(window.title);
    return titles;
  }

  // Brings the window to the front and waits until it shows the surface; the number of
  // pixels that still differ (-1 when the window could not be read).
  int pixels_differing(Window window, const PixelSurface& surface) {
    int differences = -1;
    poll_until(10s, [&] {
      onlooker_->raise(window);
      const auto shown = onlooker_->read(window, surface.width(), surface.height());
      if (shown.pixels.empty()) return false;
      differences = 0;
      for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
          differences += shown.at(x, y) != surface.at(x, y) ? 1 : 0;
      return differences == 0;
    });
    return differences;
  }

  std::unique_ptr<XvfbServer> server_;
  std::unique_ptr<Onlooker> onlooker_;
};

TEST_F(EndToEnd, ShowsEveryAcceptedFileInAWindowOfItsOwnAndWritesItsPicture) {
  ProgramRun run;
  copy_examples_into(run.folder);
  start(run);
  const std::string expected = expected_console(their_pictures);
  EXPECT_EQ(run.output_once(expected), expected);
  EXPECT_EQ(run.process->errors_so_far(), "");

  const std::vector<std::string> titles = accepted_titles(run.folder);
  const std::vector<Window> windows = windows_titled(titles);
  // One window per accepted file, none for the rejected one, nothing else.
  EXPECT_EQ(titles_on_screen(), titles);
  EXPECT_EQ(onlooker_->find(window_title_of(run.folder / rejected_example)), 0u);

  const auto reference = reference_plots(accepted_examples);
  for (std::size_t index = 0; index < windows.size(); ++index) {
    SCOPED_TRACE(accepted_examples[index]);
    ASSERT_NE(windows[index], 0u);
    const WindowUnit* drawn = reference->unit(101 + static_cast<int>(index));
    ASSERT_NE(drawn, nullptr);
    ASSERT_NE(drawn->surface, nullptr);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(onlooker_->display(), windows[index], &attributes));
    EXPECT_EQ(attributes.width, 1024);
    EXPECT_EQ(attributes.height, 816);
    EXPECT_GE(drawn->surface->width(), attributes.width);
    EXPECT_GE(drawn->surface->height(), attributes.height);
    EXPECT_EQ(pixels_differing(windows[index], *drawn->surface), 0);
  }

  for (const auto& picture : their_pictures) EXPECT_EQ(picture_problems(run.folder / picture), "");
  EXPECT_FALSE(std::filesystem::exists(run.folder / "mismatched-header.ps"));
  // The list file it made for itself is gone while the windows are still open.
  EXPECT_FALSE(std::filesystem::exists(run.folder / "Curvist.par"));
  EXPECT_FALSE(run.process->end()) << described(run.process->end());
}

TEST_F(EndToEnd, AResizedWindowIsDrawnAgainForItsNewSize) {
  ProgramRun run;
  copy_examples_into(run.folder);
  start(run);
  const std::string expected = expected_console(their_pictures);
  ASSERT_EQ(run.output_once(expected), expected);
  const std::vector<std::string> titles = accepted_titles(run.folder);
  const std::vector<Window> windows = windows_titled(titles);
  ASSERT_EQ(std::count(windows.begin(), windows.end(), Window{0}), 0);

  // The user makes one window smaller and another larger than they opened.
  const std::vector<std::pair<std::size_t, ClientSize>> resized = {{1, {733, 517}},
                                                                   {2, {1150, 900}}};
  for (const auto& [index, size] : resized)
    XResizeWindow(onlooker_->display(), windows[index], static_cast<unsigned>(size.width),
                  static_cast<unsigned>(size.height));
  XSync(onlooker_->display(), False);
  for (const auto& [index, size] : resized) {
    SCOPED_TRACE(accepted_examples[index]);
    const auto fresh = reference_plots({accepted_examples[index]}, size);
    const PixelSurface& surface = *fresh->unit(101)->surface;
    EXPECT_EQ(pixels_differing(windows[index], surface), 0);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(onlooker_->display(), windows[index], &attributes));
    EXPECT_EQ(attributes.width, size.width);
  }
  // The window left alone shows what it did.
  const auto unchanged = reference_plots({accepted_examples[0]});
  EXPECT_EQ(pixels_differing(windows[0], *unchanged->unit(101)->surface), 0);

  // Nothing more printed, no window more, and the run ends as before.
  EXPECT_EQ(run.process->output_so_far(), expected);
  auto on_screen = titles_on_screen();
  std::sort(on_screen.begin(), on_screen.end());
  auto sorted_titles = titles;
  std::sort(sorted_titles.begin(), sorted_titles.end());
  EXPECT_EQ(on_screen, sorted_titles);  // raised to be read, in another order
  for (const Window window : windows) onlooker_->close(window);
  const auto end = run.process->wait_for_end(20s);
  ASSERT_TRUE(end) << "still running after every window was closed";
  EXPECT_EQ(end->exit_status, 0) << described(end);
  EXPECT_EQ(run.process->errors_so_far(), "");
}

TEST_F(EndToEnd, RunsUntilTheUserHasClosedEveryWindow) {
  ProgramRun run;
  copy_examples_into(run.folder);
  start(run);
  const std::vector<std::string> titles = accepted_titles(run.folder);
  const std::vector<Window> windows = windows_titled(titles);
  ASSERT_EQ(std::count(windows.begin(), windows.end(), Window{0}), 0)
      << "windows: " << ::testing::PrintToString(titles_on_screen());
  ASSERT_EQ(run.output_once(expected_console(their_pictures)), expected_console(their_pictures));

  for (std::size_t index = 0; index + 1 < windows.size(); ++index) {
    onlooker_->close(windows[index]);
    // The window goes, the program stays for the others.
    EXPECT_TRUE(poll_until(10s, [&] { return onlooker_->find(titles[index]) == 0; }))
        << titles[index];
    EXPECT_FALSE(run.process->wait_for_end(300ms)) << described(run.process->end());
  }
  onlooker_->close(windows.back());
  const auto end = run.process->wait_for_end(20s);
  ASSERT_TRUE(end) << "still running after the last window was closed";
  EXPECT_EQ(end->exit_status, 0) << described(end);
  EXPECT_EQ(titles_on_screen(), std::vector<std::string>{});
  EXPECT_EQ(run.process->errors_so_far(), "");
}

// A data file of one curve with `points` points under the title.
std::string data_file(int points, const std::string& title) {
  std::string text = "-1\n" + std::to_string(points) + "\n";
  for (int point = 0; point < points; ++point)
    text += std::to_string(point) + " " + std::to_string(point % 17) + "\n";
  return text + "x\ny\n" + title + "\n";
}

// Each picture is finished while the next file is read and drawn on screen, yet a window
// appears only after the " Output in " line of the file before it, as in a run that
// waits for every picture. A large file before a small one makes the small one's window
// ready long before the large picture is.
TEST_F(EndToEnd, EachWindowAppearsAfterThePictureLineOfTheFileBeforeIt) {
  ProgramRun run;
  const std::vector<std::string> names = {"a", "b", "c", "d"};
  for (std::size_t index = 0; index < names.size(); ++index)
    run.folder.write(names[index] + ".dat",
                     data_file(index % 2 == 0 ? 300'000 : 20, "Plot " + names[index]));
  Display* display = onlooker_->display();
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  start(run);

  // The titles of the windows in the order they were mapped, with what the program had
  // written by then: the line comes before the map request, so it is in the output once
  // the map is seen.
  std::vector<std::pair<std::string, std::string>> mapped;
  poll_until(run_limit, [&] {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify) continue;
      const std::string output = run.process->output_so_far();
      for (const auto& window : onlooker_->titled_windows())
        if (window.window == event.xmap.window) mapped.emplace_back(window.title, output);
    }
    return mapped.size() >= names.size() || run.process->end().has_value();
  });
  ASSERT_EQ(mapped.size(), names.size()) << run.process->output_so_far();
  for (std::size_t index = 0; index < names.size(); ++index) {
    EXPECT_EQ(mapped[index].first, "Plot " + names[index]);
    if (index == 0) continue;
    EXPECT_NE(mapped[index].second.find(" Output in " + names[index - 1] + ".ps\n"),
              std::string::npos)
        << "window " << names[index] << " appeared after only:\n"
        << mapped[index].second;
  }
  EXPECT_EQ(run.process->errors_so_far(), "");
}

TEST_F(EndToEnd, FollowsAHandWrittenListFileAndLeavesItAsItWas) {
  ProgramRun run;
  copy_examples_into(run.folder);
  std::filesystem::copy_file(run.folder / "absorption-spectrum.dat", run.folder / "my data.dat");
  // Its own order, a name in apostrophes with a blank inside, a rejected file, and the
  // absorption spectrum left out under its own name.
  const std::string list =
      "step-responses.dat\n'my data.dat'\nmismatched-header.dat\ndamped-oscillation.dat\n";
  run.folder.write("Curvist.par", list);
  start(run);

  const std::string expected =
      expected_console({"step-responses.ps", "my data.ps", "damped-oscillation.ps"});
  EXPECT_EQ(run.output_once(expected), expected);
  const std::vector<std::string> titles = {window_title_of(run.folder / "step-responses.dat"),
                                           window_title_of(run.folder / "my data.dat"),
                                           window_title_of(run.folder / "damped-oscillation.dat")};
  const std::vector<Window> windows = windows_titled(titles);
  // Opened in list order, each on top of the one before.
  EXPECT_EQ(titles_on_screen(), titles);
  for (const auto& picture : {"step-responses.ps", "my data.ps", "damped-oscillation.ps"})
    EXPECT_EQ(picture_problems(run.folder / picture), "");
  EXPECT_FALSE(std::filesystem::exists(run.folder / "absorption-spectrum.ps"));
  EXPECT_FALSE(std::filesystem::exists(run.folder / "mismatched-header.ps"));

  for (const Window window : windows)
    if (window != 0) onlooker_->close(window);
  const auto end = run.process->wait_for_end(20s);
  ASSERT_TRUE(end) << "still running after every window was closed";
  EXPECT_EQ(end->exit_status, 0) << described(end);
  EXPECT_EQ(contents_of(run.folder / "Curvist.par"), list);
}

TEST_F(EndToEnd, SigtermEndsTheRunAtOnceWhileItsWindowsAreOpen) {
  ProgramRun run;
  copy_examples_into(run.folder);
  start(run);
  ASSERT_EQ(run.output_once(expected_console(their_pictures)), expected_console(their_pictures));
  run.process->send(SIGTERM);
  const auto end = run.process->wait_for_end(5s);
  ASSERT_TRUE(end) << "still running 5 s after SIGTERM";
  EXPECT_EQ(end->signal_number, SIGTERM) << described(end);
  EXPECT_FALSE(std::filesystem::exists(run.folder / "Curvist.par"));
  for (const auto& picture : their_pictures) EXPECT_EQ(picture_problems(run.folder / picture), "");
}

TEST_F(EndToEnd, SigtermWhileAPictureIsWrittenLeavesNothingHalfDone) {
  ProgramRun run;
  copy_examples_into(run.folder);
  // Last in the list, and large enough that its picture takes a while to write.
  {
    std::ofstream large(run.folder / "zz-large.dat");
    constexpr int points = 1'000'000;
    large << "-1\n" << points << "\n";
    for (int point = 0; point < points; ++point)
      large << point * 0.001 << ' ' << (point % 1000) * 0.001 << '\n';
    large << "x\ny\nA large file\n";
  }
  const std::set<std::string> known = {
      "absorption-spectrum.dat", "damped-oscillation.dat", "step-responses.dat",
      "mismatched-header.dat",   "zz-large.dat",           "Curvist.par",
      "absorption-spectrum.ps",  "damped-oscillation.ps",  "step-responses.ps"};
  const auto unknown_entries = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(run.folder.path()))
      if (!known.contains(entry.path().filename().string()))
        names.push_back(entry.path().filename().string());
    return names;
  };
  start(run);
  // The large file's picture in the making appears beside the others.
  ASSERT_TRUE(run.process->wait_until([&] { return !unknown_entries().empty(); }))
      << run.process->output_so_far();
  ASSERT_FALSE(run.process->end()) << described(run.process->end());
  run.process->send(SIGTERM);
  const auto end = run.process->wait_for_end(5s);
  ASSERT_TRUE(end) << "still running 5 s after SIGTERM";
  EXPECT_EQ(end->signal_number, SIGTERM) << described(end);
  EXPECT_EQ(run.process->output_so_far().find(" Output in zz-large.ps"), std::string::npos)
      << "the picture was finished before the signal; the test could not interrupt it";
  EXPECT_EQ(unknown_entries(), std::vector<std::string>{});
  EXPECT_FALSE(std::filesystem::exists(run.folder / "Curvist.par"));
}

TEST(EndToEndWithoutDisplay, MakesThePicturesOffscreenAndEndsWithoutWaiting) {
  ProgramRun run;
  copy_examples_into(run.folder);
  run.start(std::nullopt);
  const auto end = run.process->wait_for_end(run_limit);
  ASSERT_TRUE(end) << "still running without a display";
  EXPECT_EQ(end->exit_status, 0) << described(end);
  EXPECT_EQ(run.process->output_so_far(), expected_console(their_pictures));
  EXPECT_EQ(run.process->errors_so_far(),
            "curvist: DISPLAY is not set; the screen plots are drawn offscreen and not shown\n");
  for (const auto& picture : their_pictures) EXPECT_EQ(picture_problems(run.folder / picture), "");
  EXPECT_FALSE(std::filesystem::exists(run.folder / "Curvist.par"));
}

}  // namespace
}  // namespace curvist
