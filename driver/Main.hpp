#pragma once
// The whole run of the program in the current folder: banner, list file, pre-check of
// every listed file, LOADPLOT of each accepted one, removal of a list file it made.
// Returns the process exit status: 1 when the list file could not be had or a picture
// could not be written, 0 otherwise.

namespace curvist {

int MAIN();

}  // namespace curvist
