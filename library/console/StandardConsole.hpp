#pragma once
// The console of a real run: standard output, standard input, a real sleep.

#include "console/Console.hpp"

namespace curvist {

class StandardConsole final : public Console {
 public:
  void write_line(std::string_view line) override;
  void read_line() override;
  void sleep_seconds(int seconds) override;
};

}  // namespace curvist
