#include "console/RecordingConsole.hpp"

#include "trace/TraceLine.hpp"

namespace curvist {

void RecordingConsole::write_line(std::string_view line) {
  TraceLine("console").quoted(line).write_to(trace_);
}

void RecordingConsole::read_line() { TraceLine("console-read").write_to(trace_); }

void RecordingConsole::sleep_seconds(int seconds) {
  TraceLine("sleep").number(seconds).write_to(trace_);
}

}  // namespace curvist
