// The two programs run as a user runs them: arguments, standard output, exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "CurvistProgram.hpp"
#include "ProgramRun.hpp"
#include "SourceReadme.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::contents_of;
using testing::ProgramRun;
using testing::run_program;
using testing::TemporaryFolder;

// Runs `program` with `arguments` inside `folder`.
ProgramRun run(const TemporaryFolder& folder, std::string_view program,
               std::initializer_list<std::string_view> arguments) {
  return run_program(folder, program, std::vector<std::string>(arguments.begin(), arguments.end()));
}

constexpr std::string_view trace_program = CURVIST_TRACE_PROGRAM;
constexpr std::string_view curvist_program = CURVIST_PROGRAM;

TEST(TraceTool, RunsMainInTheCurrentFolder) {
  TemporaryFolder folder;
  const auto result = run(folder, trace_program, {"MAIN"});
  EXPECT_EQ(result.status, 0) << result.errors;
  EXPECT_TRUE(result.output.starts_with("console \" Curvist.exe\"\nconsole \" -----------\"\n"))
      << result.output;
  EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 7);
  EXPECT_FALSE(std::filesystem::exists(folder / "Curvist.par"));
}

TEST(TraceTool, RepeatsTheOperation) {
  TemporaryFolder folder;
  const auto result = run(folder, trace_program, {"MAIN", "--repeat=2"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 14);
}

TEST(TraceTool, PrintsPurgedTextInDoubleQuotes) {
  TemporaryFolder folder;
  const auto result = run(folder, trace_program, {"PURGE", "Time (s)  "});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "\"Time (s)  \"\n");
}

TEST(TraceTool, TakesEveryParameterOfTheOperation) {
  TemporaryFolder folder;
  folder.write("a.dat", "-1\n2\n0 0\n1 1\nx\ny\nt\n");
  EXPECT_EQ(run(folder, trace_program,
                {"PLOTDP", "a.dat", "--join=0", "--logx=1", "--logy=0", "--resolution=2",
                 "--xlabel=", "--ylabel= y ", "--title=", "--ownwindow=1", "--reusewindow=0",
                 "--cells=120x50", "--console-cells=80x25", "--open-failures=3"})
                .status,
            0);
  EXPECT_EQ(run(folder, trace_program, {"PLOTLISTSP", "a.dat", "--ncurves=2"}).status, 0);
  EXPECT_EQ(run(folder, trace_program,
                {"PGPLOTLISTDP", "a.dat", "--ncurves=0", "--filename=out.ps", "--device=ps"})
                .status,
            0);
  EXPECT_EQ(run(folder, trace_program, {"LOADPLOT", "a.dat", "--device=gif"}).status, 0);
}

TEST(TraceTool, RefusesBadUsageWithStatusTwo) {
  TemporaryFolder folder;
  folder.write("a.dat", "-1\n2\n0 0\n1 1\nx\ny\nt\n");
  for (const auto& arguments : std::initializer_list<std::initializer_list<std::string_view>>{
           {},
           {"PLOT"},
           {"PLOTDP"},
           {"PURGE"},
           {"MAIN", "extra"},
           {"PGPLOTDP", "a.dat", "--resolution=1"},
           {"PLOTDP", "a.dat", "--ncurves=1"},
           {"PLOTDP", "a.dat", "--join=2"},
           {"PLOTDP", "a.dat", "--resolution=one"},
           {"PLOTDP", "a.dat", "--cells=100"},
           {"PLOTDP", "a.dat", "--repeat=-1"},
           {"PLOTDP", "a.dat", "--title"},
           {"MAIN", "--device=ps"}}) {
    const auto result = run(folder, trace_program, arguments);
    EXPECT_EQ(result.status, 2) << *arguments.begin();
    EXPECT_TRUE(result.output.empty());
    EXPECT_TRUE(result.errors.starts_with("curvist-trace: ")) << result.errors;
  }
}

TEST(TraceTool, SaysSoWhenTheDataFileCannotBeRead) {
  TemporaryFolder folder;
  const auto result = run(folder, trace_program, {"PGPLOTDP", "missing.dat"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.errors.find("missing.dat"), std::string::npos);
}

TEST(CurvistProgram, AnswersHelpAndVersionWithoutPlotting) {
  TemporaryFolder folder;
  folder.write("a.dat", "-1\n2\n0 0\n1 1\nx\ny\nt\n");
  const auto help = run(folder, curvist_program, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.output.starts_with("Usage: curvist [--explain]\n"));
  EXPECT_TRUE(help.output.ends_with("\nMore: file://" + testing::source_tree_readme() + "\n"))
      << help.output;
  const auto version = run(folder, curvist_program, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.output.starts_with("curvist "));
  EXPECT_FALSE(std::filesystem::exists(folder / "a.ps"));
}

TEST(CurvistProgram, RefusesUnknownOptionsWithTheUsageAndStatusTwo) {
  for (const char* option : {"--foo", "-x", "--explain=1", "--HELP"}) {
    TemporaryFolder folder;
    folder.write("a.dat", "-1\n2\n0 0\n1 1\nx\ny\nt\n");
    const auto result = run(folder, curvist_program, {"a.dat", option, "--help"});
    EXPECT_EQ(result.status, 2) << option;
    EXPECT_EQ(result.output, "") << option;
    EXPECT_TRUE(result.errors.starts_with("curvist: unknown option '" + std::string(option) +
                                          "'\nUsage: curvist"))
        << result.errors;
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, (std::vector<std::string>{"a.dat"})) << "nothing plotted, no list made";
  }
  const auto help = run(TemporaryFolder(), curvist_program, {"-h"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.output.starts_with("Usage: curvist")) << "-h is --help";
}

TEST(CurvistProgram, SaysOnceThatArgumentsAreNotUsedAndRunsAsUsual) {
  TemporaryFolder folder;
  folder.write("a.dat", "-1\n2\n0 0\n1 1\nx\ny\nt\n");
  testing::ChildSettings settings;
  settings.arguments = {"a.dat", "b.dat", "--", "--explain"};
  const auto result = testing::run_curvist(folder.path(), settings);
  EXPECT_EQ(result.end.exit_status, 0) << result.errors;
  EXPECT_NE(result.output.find(" Output in a.ps\n"), std::string::npos) << result.output;
  EXPECT_TRUE(result.errors.starts_with(
      "curvist: arguments are not used: curvist plots every data file of the current folder, "
      "or the files its Curvist.par lists\n"))
      << result.errors;
  EXPECT_EQ(result.errors.find("arguments are not used", 30), std::string::npos) << "one line";
  EXPECT_EQ(result.errors.find("skipped"), std::string::npos) << "--explain after -- is a name";
}

TEST(CurvistProgram, FailsWithStatusOneWhenTheFolderIsNotWritable) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TemporaryFolder folder;
  std::filesystem::permissions(
      folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const auto result = run(folder, curvist_program, {});
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(result.status, 1);
}

}  // namespace
}  // namespace curvist
