#pragma once
// The whole run of the program in the current folder: banner, list file, pre-check of
// every listed file, LOADPLOT of each accepted one, removal of a list file it made.
// Returns the process exit status.

namespace curvist {

int MAIN();

}  // namespace curvist
