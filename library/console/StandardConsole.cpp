#include "console/StandardConsole.hpp"

#include <chrono>
#include <iostream>
#include <string>
#include <thread>

#include "console/LinesInWaiting.hpp"

namespace curvist {

void StandardConsole::write_line(std::string_view line) {
  // Flushed at once: the console lines interleave with windows and files the user is
  // watching appear.
  write_lines_in_waiting();
  std::cout << line << '\n' << std::flush;
}

void StandardConsole::read_line() {
  std::string discarded;
  std::getline(std::cin, discarded);
}

void StandardConsole::sleep_seconds(int seconds) {
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::seconds(seconds));
}

}  // namespace curvist
