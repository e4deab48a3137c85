#include "LoadPlot.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "TemporaryFolder.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/RecordingWindows.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;

// Every problem ends LOADPLOT before anything is drawn or written.
TEST(LoadPlot, DrawsNothingForAFileThatCannotBeRead) {
  TemporaryFolder folder;
  const auto one_point = folder.write("one-point.dat", "-1\n1\n0 0\nx\ny\nt\n");
  const auto positive = folder.write("positive.dat", "2\n5\nx\ny\nt\n");
  const auto short_block = folder.write("short.dat", "-1\n3\n0 0\n1 1\nx\ny\nt\n");
  const auto fifo = folder / "pipe.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  std::ostringstream trace;
  RecordingConsole console(trace);
  RecordingPgplot pgplot(trace);
  RecordingWindows windows(trace);
  const ScopedPlatform recorded({console, pgplot, windows});
  for (const auto& file : {one_point, positive, short_block, fifo, folder / "absent.dat"})
    LOADPLOTPACK::LOADPLOT(file.string());
  EXPECT_EQ(trace.str(), "");
  EXPECT_FALSE(std::filesystem::exists(folder / "one-point.ps"));
}

}  // namespace
}  // namespace curvist
