#pragma once
// The recorders of the console, PGPLOT and the window operations, writing their trace
// lines to one stream in call order, installed as the platform for as long as this
// lives, with the error lines going to `errors`. What curvist-trace and the tests run
// operations against.

#include <ostream>

#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/RecordingWindows.hpp"

namespace curvist {

class RecordingPlatform {
 public:
  explicit RecordingPlatform(std::ostream& trace, SimulatedScreen screen = {},
                             ErrorStream& errors = standard_error())
      : console_(trace),
        pgplot_(trace),
        windows_(trace, screen),
        installed_({console_, pgplot_, windows_, errors}) {}

 private:
  RecordingConsole console_;
  RecordingPgplot pgplot_;
  RecordingWindows windows_;
  ScopedPlatform installed_;
};

}  // namespace curvist
