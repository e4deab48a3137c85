#pragma once
// The files the library writes for a while: a picture is drawn into a hidden temporary
// file beside its name and renamed into place once complete. A signal that ends the
// process meanwhile leaves that file behind, unless the program asks for its removal:
// the library installs no signal handler of its own accord.

#include <curvist/Export.hpp>

namespace curvist {

// Has SIGINT, SIGTERM and SIGHUP remove the temporary files being written, then end the
// process by the signal as it would have ended without. Only a signal whose action is
// still the default is taken: one the program handles or ignores is left as it is, and
// the program's own handler can call remove_temporary_files(). True when all three are
// taken (by this call or an earlier one).
CURVIST_EXPORT bool remove_temporary_files_on_interrupt();

// Removes the temporary files being written, for a program's own handler of a signal that
// ends the process; safe to call from a signal handler. A picture still being drawn is
// lost: it is never put in place.
CURVIST_EXPORT void remove_temporary_files() noexcept;

}  // namespace curvist
