// curvist: plots every data file of the current folder on screen and into a picture.
#include <iostream>
#include <string_view>

#include "Main.hpp"
#include "ProgramInformation.hpp"

int main(int argument_count, char** arguments) {
  // The program takes no arguments of its own; only these two are answered, any other is
  // ignored.
  for (int index = 1; index < argument_count; ++index) {
    const std::string_view argument = arguments[index];
    if (argument == "--help") {
      std::cout << curvist::usage_text();
      return 0;
    }
    if (argument == "--version") {
      std::cout << curvist::version_text();
      return 0;
    }
  }
  return curvist::MAIN();
}
