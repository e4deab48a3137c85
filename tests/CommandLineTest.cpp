#include "CommandLine.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace curvist {
namespace {

using Request = CommandLine::Request;
using Names = std::vector<std::string>;

CommandLine read(std::initializer_list<const char*> arguments) {
  return read_command_line(std::span<const char* const>(arguments.begin(), arguments.size()));
}

TEST(CommandLine, RunsWithOrWithoutExplainAndKeepsWhatIsNoOption) {
  EXPECT_EQ(read({}).request, Request::run);
  EXPECT_FALSE(read({}).explain);
  const CommandLine mixed = read({"a.dat", "--explain", "b.dat", "-"});
  EXPECT_EQ(mixed.request, Request::run);
  EXPECT_TRUE(mixed.explain);
  EXPECT_EQ(mixed.not_used, (Names{"a.dat", "b.dat", "-"})) << "a lone - is no option";
  const CommandLine ended = read({"--", "--foo", "-h"});
  EXPECT_EQ(ended.request, Request::run);
  EXPECT_EQ(ended.not_used, (Names{"--foo", "-h"})) << "after -- nothing is an option";
}

TEST(CommandLine, WatchIsAnOptionOfTheRun) {
  EXPECT_FALSE(read({"--explain"}).watch);
  const CommandLine watching = read({"--watch", "a.dat", "--explain"});
  EXPECT_EQ(watching.request, Request::run);
  EXPECT_TRUE(watching.watch);
  EXPECT_TRUE(watching.explain);
  EXPECT_EQ(watching.not_used, Names{"a.dat"});
  EXPECT_EQ(read({"--watch=1"}).request, Request::usage_error);
  EXPECT_EQ(read({"--watch", "--version"}).request, Request::version);
}

TEST(CommandLine, AnswersTheFirstOfHelpVersionOrAnUnknownOption) {
  EXPECT_EQ(read({"-h"}).request, Request::help);
  EXPECT_EQ(read({"--explain", "--help", "--foo"}).request, Request::help);
  EXPECT_EQ(read({"--version", "--help"}).request, Request::version);
  for (const char* unknown : {"--foo", "-x", "--explain=1", "-explain", "--EXPLAIN", "--help=1"}) {
    const CommandLine refused = read({"a.dat", unknown, "--help"});
    EXPECT_EQ(refused.request, Request::usage_error) << unknown;
    EXPECT_EQ(refused.unknown_option, unknown);
  }
}

}  // namespace
}  // namespace curvist
