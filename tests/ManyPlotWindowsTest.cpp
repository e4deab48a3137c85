// A folder of a thousand data files plotted by the real program on a real X server:
// every file gets its picture and its window, and the program's memory stays bounded
// while all the windows are on screen.
#include <gtest/gtest.h>
#include <signal.h>

// After the test framework: Xlib defines macros such as None and Bool.
#include "X11Onlooker.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "CurvistProgram.hpp"
#include "TemporaryFolder.hpp"
#include "XvfbServer.hpp"

namespace curvist {
namespace {

using testing::ChildProgram;
using testing::ChildSettings;
using testing::Onlooker;
using testing::TemporaryFolder;
using testing::XvfbServer;

constexpr int file_count = 1000;

std::string numbered(int number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", number);
  return digits;
}

void write_data_files(const TemporaryFolder& folder) {
  for (int number = 0; number < file_count; ++number) {
    std::ostringstream content;
    constexpr int points = 50;
    content << "-1\n" << points << '\n';
    for (int index = 0; index < points; ++index) {
      const double x = index * 0.2;
      content << x << ' ' << std::sin(x + number * 0.01) * std::exp(-x / 10) << '\n';
    }
    content << "Time (s)\nAmplitude\nScale plot " << numbered(number) << '\n';
    folder.write("scale-" + numbered(number) + ".dat", content.str());
  }
}

int count_of(const std::string& text, const std::string& part) {
  int found = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

// The top-level windows whose title starts with "Scale plot ".
int plot_windows_on(const Onlooker& onlooker) {
  const auto windows = onlooker.titled_windows();
  return static_cast<int>(std::count_if(windows.begin(), windows.end(), [](const auto& window) {
    return window.title.starts_with("Scale plot ");
  }));
}

// Peak resident memory of a process in kilobytes, or -1.
long peak_kilobytes(pid_t process) {
  std::ifstream status("/proc/" + std::to_string(process) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
  return -1;
}

TEST(ManyPlotWindows, AThousandFilesGetTheirWindowsInBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__)
  // Scale is what this measures; the sanitizers see the same paths in the runs of a few files.
  GTEST_SKIP() << "not measured in a sanitizer build";
#endif
  if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.running()) << "Xvfb did not start";
  TemporaryFolder folder;
  write_data_files(folder);

  const auto started = std::chrono::steady_clock::now();
  ChildSettings settings;
  settings.display = server.display_name();
  settings.deadline = std::chrono::seconds(240);
  ChildProgram program(testing::curvist_program, folder.path(), settings);
  const auto deadline = started + settings.deadline;
  const auto time_left = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                 std::chrono::steady_clock::now());
  };

  int pictures = 0;
  // Looked at five times a second: a thousand windows are costly to list.
  constexpr std::chrono::milliseconds interval(200);
  program.wait_until(
      [&] {
        pictures = count_of(program.output_so_far(), " Output in ");
        return pictures == file_count;
      },
      std::nullopt, interval);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  int windows = 0;
  {
    const Onlooker onlooker(server.display_name());
    ASSERT_NE(onlooker.display(), nullptr);
    program.wait_until(
        [&] {
          windows = plot_windows_on(onlooker);
          return windows == file_count;
        },
        time_left(), interval);
  }
  // The program waits for its windows to be closed; its peak so far is the run's.
  const bool still_waiting = !program.end();
  const long program_peak = peak_kilobytes(program.process());
  const long server_peak = peak_kilobytes(server.process_id());
  program.send(SIGTERM);
  const auto result = program.finish();

  std::cout << "files " << file_count << ": plotted in " << seconds << " s, program peak "
            << program_peak / 1024 << " MB, X server peak " << server_peak / 1024 << " MB\n";
  EXPECT_TRUE(still_waiting) << result.errors;
  EXPECT_EQ(pictures, file_count) << result.errors;
  EXPECT_EQ(windows, file_count);
  const std::string& output = result.output;
  // In the order of the list, one picture per file.
  std::size_t position = 0;
  for (int number = 0; number < file_count; ++number) {
    position = output.find(" Output in scale-" + numbered(number) + ".ps\n", position);
    ASSERT_NE(position, std::string::npos) << number;
  }
  EXPECT_TRUE(std::filesystem::exists(folder / ("scale-" + numbered(file_count - 1) + ".ps")));

  // A full raster is 1024 x 816 x 4 bytes = 3.3 MB: a thousand of them would take 3.3 GB.
  // Kept compact, a finished plot takes tens of kilobytes; besides them the program holds
  // its libraries (about 25 MB), the window being drawn and one window's worth of pixels
  // on their way to the server. 250 MB fails as soon as one window in fifteen keeps its
  // raster.
  ASSERT_GT(program_peak, 0);
  EXPECT_LT(program_peak, 250 * 1024);
}

}  // namespace
}  // namespace curvist
