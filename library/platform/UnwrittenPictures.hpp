#pragma once
// The pictures found not written since the process began, and why the last one was not:
// what a program asks after its plots (PGPLOTPACK::unwritten_pictures). Kept here for the
// whole process, whichever platform is installed, so that a count taken before a plot and
// one taken after it tell that plot's outcome; the plotters themselves keep nothing.

#include <string>

namespace curvist {

// A picture was not written, for `why` (its error line, in one line).
void note_unwritten_picture(std::string why);
int unwritten_picture_count();
// Empty before the first.
std::string why_last_picture_unwritten();

}  // namespace curvist
