#pragma once
// Xlib's error handlers belong to the whole process, and a program hosting the library may
// have its own. The library's windows need theirs quiet: an asynchronous protocol error (a
// window the user already closed) changes nothing they rely on, and a lost connection is
// told in the library's own words. These handlers answer for the library's connections
// alone and hand every error of another connection to the handler that was in place when
// they were installed, Xlib's own or the host's.

#include <X11/Xlib.h>

namespace curvist {

// Installs the handlers (once per process) and counts `display` as the library's own.
void handle_x_errors_of(Display* display);

// `display` has been closed: a connection opened later at the same address is not the
// library's.
void stop_handling_x_errors_of(Display* display);

}  // namespace curvist
