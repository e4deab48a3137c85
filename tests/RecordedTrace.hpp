#pragma once
// Runs an operation with the recorders installed and hands back the trace lines.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/RecordingPlatform.hpp"

namespace curvist::testing {

inline std::vector<std::string> lines_of(const std::string& trace) {
  std::vector<std::string> lines;
  std::istringstream text(trace);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

inline std::vector<std::string> recorded_lines(const std::function<void()>& operation,
                                               SimulatedScreen screen = {}) {
  std::ostringstream trace;
  {
    const RecordingPlatform recorded(trace, screen);
    operation();
  }
  return lines_of(trace.str());
}

// Runs the operations one after another on one recording platform, as one run of the
// program would, and hands back the lines of each.
inline std::vector<std::vector<std::string>> recorded_runs(
    const std::vector<std::function<void()>>& operations, SimulatedScreen screen = {}) {
  std::ostringstream trace;
  std::vector<std::vector<std::string>> runs;
  const RecordingPlatform recorded(trace, screen);
  for (const auto& operation : operations) {
    operation();
    runs.push_back(lines_of(trace.str()));
    trace.str("");
  }
  return runs;
}

// The recorded lines of one call: its name alone or followed by a blank.
inline std::vector<std::string> calls_named(const std::vector<std::string>& lines,
                                            const std::string& call) {
  std::vector<std::string> found;
  for (const auto& line : lines)
    if (line == call || line.rfind(call + " ", 0) == 0) found.push_back(line);
  return found;
}

// A text padded with blanks to a field of `length`, as it appears in a trace.
inline std::string padded(std::string text, std::size_t length = 80) {
  text.resize(length, ' ');
  return text;
}

}  // namespace curvist::testing
