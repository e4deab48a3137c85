#pragma once
// What the command line asks of curvist. The program plots the data files of the current
// folder and takes no arguments of its own beyond a few options; an argument that is no
// option (a file name, say) is not used, and the user is told so.

#include <span>
#include <string>
#include <vector>

namespace curvist {

// The exit status of a command line the program does not understand.
inline constexpr int usage_error_status = 2;

struct CommandLine {
  enum class Request { run, help, version, usage_error };
  Request request = Request::run;
  bool explain = false;               // --explain: say why each skipped file was skipped
  bool watch = false;                 // --watch: the plots follow their files after the run
  std::string unknown_option;         // the option that made a usage error
  std::vector<std::string> not_used;  // arguments that are no option
};

// The arguments after the program's name, taken in order: --help (or -h) and --version
// answer at once, the first unknown option is a usage error, and after "--" every
// argument is taken as no option.
CommandLine read_command_line(std::span<const char* const> arguments);

}  // namespace curvist
