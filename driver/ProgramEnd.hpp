#pragma once
// How the curvist program itself ends once its run is over. Not for the library's
// callers: it leaves everything the process holds to the system.

namespace curvist {

// Writes out what standard output and standard error still hold and ends the process
// with the status, without running destructors or exit handlers.
[[noreturn]] void end_program(int status);

}  // namespace curvist
