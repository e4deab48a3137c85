#pragma once
// What a run with --watch keeps while it follows its data files: which files it follows,
// the window each one's plot is shown in, and the files that changed and wait to settle.
//
// Without a hand-written list the files followed are the current folder's data files by
// the listing's rules (named *.dat in any case, not hidden, regular): one rewritten is
// drawn again, one new is plotted as if it had been listed at the start. With a
// hand-written Curvist.par, the names it lists are followed, in their folders; when the
// list changes it is read again: names newly listed are plotted, names no longer listed
// keep their windows and pictures and are no longer followed. The program's own files
// (its hidden temporary pictures, its pictures) are none of these and are never read.
//
// A file that settled is pre-checked and read as in the run. Its plot goes into the window
// it has (one the user closed stays closed) and its picture is written again; a file
// that now fails leaves both as they were, with one line on standard error saying why
// when explain is asked for. A file without a window gets a new one. A file that was
// only closed since it was read, and is as it was then, is not read again.
//
// A listed name's folder is followed by its name: one removed and made again, or another
// moved in its place, is watched anew and its listed files are read. The folders above
// it are watched for that. A watched folder that is removed gets one line on standard
// error; for the current folder the folder above it is watched to see that.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FileStamp.hpp"
#include "FolderEvents.hpp"
#include "Run.hpp"
#include "SettlingFiles.hpp"

namespace curvist {

class WatchSession {
 public:
  // `current_folder`: the number `events` gave the current folder. `listed_names`: the
  // names of a hand-written list, absent when the program lists the folder itself.
  WatchSession(FolderEvents& events, int current_folder, const RunOptions& options,
               std::optional<std::vector<std::string>> listed_names);

  // Plots a file the run accepted, from the text its pre-check read, as the run does, and
  // notes the window it opened.
  void plot_accepted(std::string_view name, FileText& text);

  void note(const std::vector<FolderChange>& changes, WatchClock::time_point now);
  // Reads the list again if it settled, then draws every file that settled, in list order.
  void draw_settled(WatchClock::time_point now);
  // Nothing when no change waits to settle.
  std::optional<std::chrono::milliseconds> time_to_next_settled(WatchClock::time_point now) const;

  // Whether a plot may have opened a window, so that the windows are worth asking for.
  bool plotted() const { return plotted_; }
  // The unit of the window showing the file's plot, if it has one.
  std::optional<int> window_of(const std::string& name) const;

 private:
  bool follows_hand_written_list() const { return listed_.has_value(); }
  void note_file_change(const std::string& name, WatchClock::time_point now, bool written);
  void note_change_of_every_file(WatchClock::time_point now);
  // Watches the folders of the listed names (and the folders above them) and notes which
  // entry is which name; says which folders cannot be watched when asked to. The listed
  // names whose folder is another one now, or watched only now, and that exist.
  std::vector<std::string> watch_listed_folders(bool report_unwatched);
  // One line for a listed name's folder that was removed.
  void report_removed(int folder) const;
  // One line once the current folder is found removed.
  void check_current_folder();
  void read_list_again();
  // A file that settled: pre-checked, then plotted into its window or a new one.
  void follow(const std::string& name);
  // Its plot, from the text the pre-check read.
  void plot(const std::string& name, FileText& text);

  FolderEvents& events_;
  int current_folder_;
  int folder_above_ = -1;  // the folder that holds the current one, where it can be watched
  bool current_folder_removed_ = false;
  RunOptions options_;
  std::optional<std::vector<std::string>> listed_;
  std::map<std::pair<int, std::string>, std::vector<std::string>> listed_at_;
  // The folder of each listed name by its path, with its number (-1 while it cannot be
  // watched); and every folder watched for the list, those above included.
  std::map<std::string, int> listed_folders_;
  std::set<int> watched_for_list_;
  std::map<std::string, int> windows_;
  // What each file was when it was last read, and the files written (more than closed)
  // since.
  std::map<std::string, std::optional<FileStamp>> read_stamps_;
  std::set<std::string> written_;
  SettlingFiles changed_files_;
  SettlingFiles changed_list_;
  bool plotted_ = false;
};

}  // namespace curvist
