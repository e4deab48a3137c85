#pragma once
// One run of the driver in the current folder, with the plotting of one accepted file
// passed in (LOADPLOT for the program): banner, list file, pre-check of every listed
// name in list order, removal of a list file the program made.

#include <functional>
#include <string_view>

namespace curvist {

class FileText;

struct RunOptions {
  // Each listed file the pre-check refuses gets one line on standard error saying why.
  bool explain = false;
};

// plot receives the whole name as listed, without trailing blanks, and the file's text
// as the pre-check read it, to be read again from its start. Returns the process exit
// status: 0, or 1 when the list file can neither be read nor made.
using FilePlotter = std::function<void(std::string_view name, FileText& text)>;
int run_in_current_folder(const FilePlotter& plot, const RunOptions& options = {});

// The same, each picture finished in the background while the next file is read and
// plotted on screen; the pictures still owed are finished before it returns.
int run_with_pictures_in_background(const FilePlotter& plot, const RunOptions& options);

// The pictures not written since it was made decide a run's status.
class UnwrittenPictures {
 public:
  UnwrittenPictures();
  // 1 when a picture could not be written since, 0 otherwise.
  int status() const;

 private:
  int before_;
};

}  // namespace curvist
