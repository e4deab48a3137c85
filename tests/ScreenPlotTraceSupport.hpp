#pragma once
// Runs screen plot operations against the recorders and hands back the trace lines.

#include <sstream>
#include <string>
#include <vector>

#include "Plot.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/RecordingWindows.hpp"

namespace curvist::testing {

template <typename Operation>
std::vector<std::string> screen_trace(Operation operation, RecordedPlatform platform = {}) {
  std::ostringstream trace;
  RecordingConsole console(trace);
  RecordingPgplot pgplot(trace);
  RecordingWindows windows(trace, platform);
  {
    ScopedPlatform scope({console, pgplot, windows});
    operation();
  }
  std::vector<std::string> lines;
  std::istringstream reader(trace.str());
  for (std::string line; std::getline(reader, line);) lines.push_back(line);
  return lines;
}

// The lines that start with the given call name.
inline std::vector<std::string> calls_named(const std::vector<std::string>& lines,
                                            const std::string& name) {
  std::vector<std::string> kept;
  for (const auto& line : lines)
    if (line.compare(0, name.size() + 1, name + " ") == 0 || line == name) kept.push_back(line);
  return kept;
}

}  // namespace curvist::testing
