#pragma once
// The command line of curvist-trace: the operation, its data file (or text), the
// operation's optional parameters and the recorded platform.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "window/RecordingWindows.hpp"

namespace curvist::trace {

enum class Operation {
  MAIN,
  LOADPLOT,
  PLOTDP,
  PLOTSP,
  PLOTLISTDP,
  PLOTLISTSP,
  PGPLOTDP,
  PGPLOTSP,
  PGPLOTLISTDP,
  PGPLOTLISTSP,
  PURGE
};

// The optional parameters as given; an option not given stays absent.
struct Parameters {
  std::optional<bool> JOIN;
  std::optional<bool> LOGX;
  std::optional<bool> LOGY;
  std::optional<int> RESOLUTION;
  std::optional<std::string> XLABEL;
  std::optional<std::string> YLABEL;
  std::optional<std::string> TITLE;
  std::optional<bool> OWNWINDOW;
  std::optional<bool> REUSEWINDOW;
  std::optional<std::string> FILENAME;
  std::optional<std::string> DEVICE;
  std::optional<int> NCURVES;
};

struct TraceRequest {
  Operation operation = Operation::MAIN;
  std::string file;  // the data file, or the text of PURGE
  Parameters parameters;
  SimulatedScreen screen;
  int repeat = 1;
};

struct UsageError {
  std::string message;
};

// arguments: everything after the program name.
std::variant<TraceRequest, UsageError> parse_trace_arguments(
    const std::vector<std::string>& arguments);

std::string trace_usage();

}  // namespace curvist::trace
