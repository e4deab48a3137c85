// The traces of a few plots, compared line by line with the ones committed under
// tests/traces/. Each NAME.trace holds in its first line the arguments of curvist-trace
// ("# curvist-trace OPERATION FILE OPTION ..."), then the lines it printed when the file
// was made. A change to any call the plotters make shows here as the first line that
// differs; when a change is meant, the file is made again with the command of its first
// line, run in tests/traces/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramRun.hpp"
#include "RecordedTrace.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::contents_of;
using testing::TemporaryFolder;

const std::filesystem::path traces = std::filesystem::path(CURVIST_SOURCE_DIR) / "tests/traces";
constexpr std::string_view command_prefix = "# curvist-trace ";

std::vector<std::filesystem::path> trace_files() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(traces))
    if (entry.path().extension() == ".trace") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> words_of(std::string_view text) {
  std::istringstream stream{std::string(text)};
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

TEST(TraceRegression, EveryCommittedTraceIsPrintedAgainLineForLine) {
  const auto files = trace_files();
  ASSERT_GE(files.size(), 5u);
  // The data files the traces read, in a folder of their own.
  TemporaryFolder folder;
  for (const auto& entry : std::filesystem::directory_iterator(traces))
    if (entry.path().extension() == ".dat")
      std::filesystem::copy_file(entry.path(), folder / entry.path().filename().string());

  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    auto expected = testing::lines_of(contents_of(file));
    ASSERT_FALSE(expected.empty());
    ASSERT_TRUE(expected.front().starts_with(command_prefix)) << expected.front();
    const auto arguments =
        words_of(std::string_view(expected.front()).substr(command_prefix.size()));
    expected.erase(expected.begin());

    const auto run = testing::run_program(folder, CURVIST_TRACE_PROGRAM, arguments);
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    const auto printed = testing::lines_of(run.output);
    const auto differ =
        std::mismatch(expected.begin(), expected.end(), printed.begin(), printed.end());
    if (differ.first != expected.end() || differ.second != printed.end()) {
      ADD_FAILURE() << "line " << (differ.first - expected.begin()) + 2
                    << " of the file: expected\n  "
                    << (differ.first != expected.end() ? *differ.first : "(the end)")
                    << "\nprinted\n  "
                    << (differ.second != printed.end() ? *differ.second : "(the end)");
    }
  }
}

}  // namespace
}  // namespace curvist
