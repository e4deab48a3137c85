// Interruptions while the program makes files of its own: held back while a file is made
// and armed for removal, so that the file never outlives the process.
#include "platform/Interruption.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>

#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;

TEST(Interruption, ComingWhileAFileIsMadeItWaitsUntilTheFileIsArmedThenRemovesIt) {
  TemporaryFolder folder;
  const auto made = folder / "made.tmp";
  const auto reached = folder / "reached";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    install_interrupt_handlers();
    std::optional<RemovalOnInterrupt> removal;
    {
      const InterruptionsHeld held;
      kill(getpid(), SIGTERM);
      std::ofstream(made) << "picture";
      removal.emplace(made.string());
      std::ofstream(reached) << "yes";
    }  // the interruption takes effect here
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "ended with status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_TRUE(std::filesystem::exists(reached)) << "interrupted before the file was armed";
  EXPECT_FALSE(std::filesystem::exists(made));
}

}  // namespace
}  // namespace curvist
