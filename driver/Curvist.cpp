// curvist: plots every data file of the current folder on screen and into a picture.
#include <iostream>
#include <span>

#include "CommandLine.hpp"
#include "Main.hpp"
#include "ProgramEnd.hpp"
#include "ProgramInformation.hpp"
#include "Watch.hpp"

int main(int argument_count, char** arguments) {
  const std::span<const char* const> given(arguments, std::size_t(argument_count));
  const curvist::CommandLine command_line =
      curvist::read_command_line(given.empty() ? given : given.subspan(1));
  switch (command_line.request) {
    case curvist::CommandLine::Request::help:
      std::cout << curvist::usage_text();
      return 0;
    case curvist::CommandLine::Request::version:
      std::cout << curvist::version_text();
      return 0;
    case curvist::CommandLine::Request::usage_error:
      std::cerr << "curvist: unknown option '" << command_line.unknown_option << "'\n"
                << curvist::usage_text();
      return curvist::usage_error_status;
    case curvist::CommandLine::Request::run:
      break;
  }
  if (!command_line.not_used.empty()) std::cerr << curvist::arguments_not_used_text();
  const curvist::RunOptions options{.explain = command_line.explain};
  curvist::end_program(command_line.watch ? curvist::watch_current_folder(options)
                                          : curvist::MAIN(options));
}
