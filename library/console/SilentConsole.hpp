#pragma once
// A console that writes nothing, reads nothing and does not sleep: for drawing a plot
// again, which must say and wait for nothing.

#include "console/Console.hpp"

namespace curvist {

class SilentConsole final : public Console {
 public:
  void write_line(std::string_view) override {}
  void read_line() override {}
  void sleep_seconds(int) override {}
};

}  // namespace curvist
