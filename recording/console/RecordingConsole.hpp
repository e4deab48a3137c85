#pragma once
// A console that records every line, read and sleep as trace lines; reads return at
// once and sleeps take no time.

#include <ostream>

#include "console/Console.hpp"

namespace curvist {

class RecordingConsole final : public Console {
 public:
  explicit RecordingConsole(std::ostream& trace) : trace_(trace) {}

  void write_line(std::string_view line) override;
  void read_line() override;
  void sleep_seconds(int seconds) override;

 private:
  std::ostream& trace_;
};

}  // namespace curvist
