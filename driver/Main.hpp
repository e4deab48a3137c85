#pragma once
// The whole run of the program in the current folder: banner, list file, pre-check of
// every listed file, LOADPLOT of each accepted one, removal of a list file it made.
// Returns the process exit status: 1 when the list file could not be had or a picture
// could not be written, 0 otherwise. With options.explain, every listed file that is not
// plotted because the pre-check or the reader refuses it gets one line on standard
// error; the run is otherwise the same.

#include "Run.hpp"

namespace curvist {

int MAIN(const RunOptions& options = {});

}  // namespace curvist
