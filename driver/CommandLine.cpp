#include "CommandLine.hpp"

#include <string_view>

namespace curvist {

CommandLine read_command_line(std::span<const char* const> arguments) {
  CommandLine command_line;
  bool options_ended = false;
  for (const char* const given : arguments) {
    const std::string_view argument = given;
    // A lone "-" names standard input in most programs: here it is no option either.
    if (options_ended || argument.size() < 2 || argument[0] != '-') {
      command_line.not_used.emplace_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--help" || argument == "-h") {
      command_line.request = CommandLine::Request::help;
      return command_line;
    } else if (argument == "--version") {
      command_line.request = CommandLine::Request::version;
      return command_line;
    } else if (argument == "--explain") {
      command_line.explain = true;
    } else if (argument == "--watch") {
      command_line.watch = true;
    } else {
      command_line.request = CommandLine::Request::usage_error;
      command_line.unknown_option = argument;
      return command_line;
    }
  }
  return command_line;
}

}  // namespace curvist
