// Interruptions while the program makes files of its own: held back while a file is made
// and armed for removal, so that the file never outlives the process.
#include "files/Interruption.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>

#include "ChildProgram.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::described;
using testing::TemporaryFolder;

TEST(Interruption, ComingWhileAFileIsMadeItWaitsUntilTheFileIsArmedThenRemovesIt) {
  TemporaryFolder folder;
  const auto made = folder / "made.tmp";
  const auto reached = folder / "reached";
  const auto end = testing::end_of_forked([&] {
    install_interrupt_handlers();
    std::optional<RemovalOnInterrupt> removal;
    {
      const InterruptionsHeld held;
      kill(getpid(), SIGTERM);
      std::ofstream(made) << "picture";
      removal.emplace(made.string());
      std::ofstream(reached) << "yes";
    }  // the interruption takes effect here
    return 0;
  });
  ASSERT_TRUE(end.signal_number) << described(end);
  EXPECT_EQ(end.signal_number, SIGTERM);
  EXPECT_TRUE(std::filesystem::exists(reached)) << "interrupted before the file was armed";
  EXPECT_FALSE(std::filesystem::exists(made));
}

}  // namespace
}  // namespace curvist
