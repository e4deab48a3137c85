#pragma once
// Runs an operation with the recorders installed and hands back the trace lines.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/RecordingPlatform.hpp"

namespace curvist::testing {

inline std::vector<std::string> recorded_lines(const std::function<void()>& operation,
                                               SimulatedScreen screen = {}) {
  std::ostringstream trace;
  {
    const RecordingPlatform recorded(trace, screen);
    operation();
  }
  std::vector<std::string> lines;
  std::istringstream text(trace.str());
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
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
