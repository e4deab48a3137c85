#pragma once
// A program run with arguments in a folder, as from a shell: its exit status, standard
// output and standard error.

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "TemporaryFolder.hpp"

namespace curvist::testing {

struct ProgramRun {
  int status = -1;
  std::string output;
  std::string errors;
};

inline std::string quoted_for_shell(std::string_view text) {
  std::string quoted = "'";
  for (const char character : text) {
    if (character == '\'')
      quoted += "'\\''";
    else
      quoted.push_back(character);
  }
  return quoted + "'";
}

// Runs `program` with `arguments` inside `folder`, as from a shell.
inline ProgramRun run_program(const TemporaryFolder& folder, std::string_view program,
                              const std::vector<std::string>& arguments) {
  std::string command =
      "cd " + quoted_for_shell(folder.path().string()) + " && " + quoted_for_shell(program);
  for (const auto& argument : arguments) {
    command += ' ';
    command += quoted_for_shell(argument);
  }
  // Captured outside the folder, which the program may not be able to write into.
  const TemporaryFolder capture;
  command += " >" + quoted_for_shell((capture / "out").string()) + " 2>" +
             quoted_for_shell((capture / "err").string()) + " </dev/null";
  ProgramRun result;
  const int raw = std::system(command.c_str());
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.output = contents_of(capture / "out");
  result.errors = contents_of(capture / "err");
  return result;
}

}  // namespace curvist::testing
