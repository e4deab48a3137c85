#pragma once
// curvist --watch: the run, and after it the windows and pictures follow their data files
// (WatchSession) until the user closes the last window shown or ends the program (Ctrl-C,
// SIGTERM). Without a display nothing is shown, the pictures follow, and only a signal
// ends the program. Returns the exit status as the run without --watch does, counting
// every picture of the session.

#include "Run.hpp"

namespace curvist {

int watch_current_folder(const RunOptions& options);

}  // namespace curvist
