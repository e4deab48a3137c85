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
    remove_temporary_files_on_interrupt();
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

extern "C" void programs_own_handler(int) {}

// What the process does on the signal: SIG_DFL, SIG_IGN or a handler's address.
void (*action_of(int signal_number))(int) {
  struct sigaction current {};
  sigaction(signal_number, nullptr, &current);
  return current.sa_handler;
}

// The removal takes only signals nobody chose an action for: a program's handler and an
// ignored SIGHUP (nohup) stay, and asking again changes nothing.
TEST(Interruption, RemovalTakesOnlySignalsLeftAtTheirDefault) {
  const auto end = testing::end_of_forked([] {
    std::signal(SIGINT, programs_own_handler);
    std::signal(SIGHUP, SIG_IGN);
    if (remove_temporary_files_on_interrupt()) return 1;  // not all three could be taken
    const auto removal = action_of(SIGTERM);
    if (removal == SIG_DFL || removal == SIG_IGN) return 2;
    if (remove_temporary_files_on_interrupt()) return 3;
    if (action_of(SIGINT) != programs_own_handler) return 4;
    if (action_of(SIGHUP) != SIG_IGN) return 5;
    if (action_of(SIGTERM) != removal) return 6;
    return 0;
  });
  EXPECT_EQ(end.exit_status, 0) << described(end);

  const auto untouched = testing::end_of_forked([] {
    return remove_temporary_files_on_interrupt() && remove_temporary_files_on_interrupt() ? 0 : 1;
  });
  EXPECT_EQ(untouched.exit_status, 0)
      << "all three were at their default: " << described(untouched);
}

}  // namespace
}  // namespace curvist
