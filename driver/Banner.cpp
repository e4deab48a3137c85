#include "Banner.hpp"

#include "ReadmeLocation.hpp"
#include "console/Console.hpp"
#include "platform/Platform.hpp"

namespace curvist {

std::array<std::string, 7> banner_lines() {
  return {" Curvist.exe",
          " -----------",
          " ",
          " Last udate: 17/03 2008",
          " Optimized for any screen",
          " Info: file://" + readme_of_this_program().string(),
          " "};
}

void write_banner() {
  Console& console = current_console();
  for (const std::string& line : banner_lines()) console.write_line(line);
}

}  // namespace curvist
