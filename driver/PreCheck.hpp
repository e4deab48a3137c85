#pragma once
// The structural check a listed file must pass before it is plotted: enough lines for
// its header numbers, and three lines after the data block that look like text. It
// catches a header that does not match the body; files that fail are skipped silently.

#include <string_view>

#include "files/FileText.hpp"
#include "text/Refusal.hpp"

namespace curvist {

// A file that fails is refused with the first reason, and the line where there is one:
// line 2: "1.5" is not an integer (the number of points).
Refusable<Passed> passes_pre_check(std::string_view name, Reasons reasons = Reasons::unasked);

// The same, and for a file that passes, its text as the check read it, for the reader to
// read again from its start: held whole when the file is small enough, so that its bytes
// are copied from the kernel once.
Refusable<FileText> pre_checked_text(std::string_view name, Reasons reasons = Reasons::unasked);

// A caption line looks like text when it is blank, or when one of its first 255
// characters, up to the last non-blank one, is not one of "0123456789E+-. ".
bool looks_like_text(std::string_view line);

}  // namespace curvist
