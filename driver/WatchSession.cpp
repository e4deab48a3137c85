#include "WatchSession.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "FilePlot.hpp"
#include "ListFile.hpp"
#include "ListedNames.hpp"
#include "platform/Platform.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

const std::string list_file(list_file_name);

bool exists(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(name, error));
}

// The folders above a folder named by its path, nearest first, up to the current folder
// (watched anyway) or the root.
std::vector<std::string> folders_above(const std::string& folder) {
  std::vector<std::string> above;
  std::filesystem::path path(folder);
  for (auto parent = path.parent_path(); !parent.empty() && parent != path;
       path = parent, parent = path.parent_path())
    above.push_back(parent.string());
  return above;
}

}  // namespace

WatchSession::WatchSession(FolderEvents& events, int current_folder, const RunOptions& options,
                           std::optional<std::vector<std::string>> listed_names)
    : events_(events),
      current_folder_(current_folder),
      options_(options),
      listed_(std::move(listed_names)) {
  std::string reason;
  folder_above_ = events_.watch("..", reason, FolderEvents::Watched::removals);
  if (follows_hand_written_list()) watch_listed_folders(true);
}

std::optional<int> WatchSession::window_of(const std::string& name) const {
  const auto found = windows_.find(name);
  if (found == windows_.end()) return std::nullopt;
  return found->second;
}

void WatchSession::plot_accepted(std::string_view name, FileText& text) {
  const std::string whole(without_trailing_blanks(name));
  read_stamps_[whole] = stamp_of(whole);
  plot(whole, text);
}

std::vector<std::string> WatchSession::watch_listed_folders(bool report_unwatched) {
  const std::map<std::string, int> before = std::move(listed_folders_);
  listed_folders_.clear();
  listed_at_.clear();
  std::set<int> watched{current_folder_, folder_above_};
  std::vector<std::string> in_other_folders;
  for (const std::string& name : *listed_) {
    const auto place = folder_entry_of(name);
    if (!place) continue;
    auto folder = listed_folders_.find(place->folder);
    if (folder == listed_folders_.end()) {
      std::string reason;
      // The folders above first: one made after them is then seen being made.
      for (const std::string& above : folders_above(place->folder))
        if (const int number = events_.watch(above, reason); number >= 0) watched.insert(number);
      const int number =
          place->folder == "." ? current_folder_ : events_.watch(place->folder, reason);
      if (number < 0 && report_unwatched)
        current_errors().write_line("curvist: cannot follow " + name + ": its folder " +
                                    place->folder + " cannot be watched: " + reason);
      folder = listed_folders_.emplace(place->folder, number).first;
      watched.insert(number);
    }
    if (folder->second < 0) continue;
    listed_at_[{folder->second, place->entry}].push_back(name);
    const auto earlier = before.find(place->folder);
    if (earlier != before.end() && earlier->second != folder->second && exists(name))
      in_other_folders.push_back(name);
  }
  // A folder moved away is no listed name's any more.
  for (const int number : watched_for_list_)
    if (!watched.contains(number)) events_.stop_watching(number);
  watched.erase(-1);
  watched_for_list_ = std::move(watched);
  return in_other_folders;
}

void WatchSession::report_removed(int folder) const {
  for (const auto& [path, number] : listed_folders_) {
    if (number != folder || folder == current_folder_) continue;
    current_errors().write_line("curvist: the folder " + path +
                                " was removed; the files listed in it are followed again once "
                                "it is back");
    return;
  }
}

void WatchSession::check_current_folder() {
  // The program holds the folder it works in: the kernel tells its removal only to the
  // folder above it, and the folder is left without a link.
  struct stat status {};
  if (current_folder_removed_ || stat(".", &status) != 0 || status.st_nlink > 0) return;
  current_folder_removed_ = true;
  current_errors().write_line(
      "curvist: the folder being watched was removed; no change of its files can be followed "
      "any more");
}

void WatchSession::note_file_change(const std::string& name, WatchClock::time_point now,
                                    bool written) {
  note_change(changed_files_, name, now);
  if (written) written_.insert(name);
}

void WatchSession::note_change_of_every_file(WatchClock::time_point now) {
  if (follows_hand_written_list()) {
    note_change(changed_list_, list_file, now);
    for (const std::string& name : *listed_) note_file_change(name, now, true);
    return;
  }
  for (const auto& [name, unit] : windows_) note_file_change(name, now, true);
  for (const std::string& name : data_file_names()) note_file_change(name, now, true);
}

void WatchSession::note(const std::vector<FolderChange>& changes, WatchClock::time_point now) {
  bool folders_changed = false;
  for (const FolderChange& change : changes) {
    const bool written = change.kind != FolderChangeKind::closed;
    if (change.kind == FolderChangeKind::removed) report_removed(change.folder);
    if (change.folder == every_folder) {
      note_change_of_every_file(now);
      folders_changed = true;
    } else if (change.kind != FolderChangeKind::written &&
               change.kind != FolderChangeKind::closed) {
      // A folder came or went: the listed names may lead to other folders now.
      folders_changed = true;
    } else if (!follows_hand_written_list()) {
      // A name the listing would leave out (a line break cannot stand in a list) is left
      // out here too.
      if (change.folder == current_folder_ && names_data_file(change.entry) &&
          change.entry.find('\n') == std::string::npos)
        note_file_change(change.entry, now, written);
    } else if (change.folder == current_folder_ && change.entry == list_file) {
      note_change(changed_list_, list_file, now);
    } else if (const auto found = listed_at_.find({change.folder, change.entry});
               found != listed_at_.end()) {
      for (const std::string& name : found->second) note_file_change(name, now, written);
    }
  }
  if (!folders_changed) return;
  check_current_folder();
  if (follows_hand_written_list())
    for (const std::string& name : watch_listed_folders(false)) note_file_change(name, now, true);
}

std::optional<std::chrono::milliseconds> WatchSession::time_to_next_settled(
    WatchClock::time_point now) const {
  const auto files = curvist::time_to_next_settled(changed_files_, now);
  const auto list = curvist::time_to_next_settled(changed_list_, now);
  if (files && list) return std::min(*files, *list);
  return files ? files : list;
}

void WatchSession::draw_settled(WatchClock::time_point now) {
  if (!take_settled(changed_list_, now).empty()) read_list_again();
  std::vector<std::string> settled = take_settled(changed_files_, now);
  if (follows_hand_written_list()) {
    // Files the list no longer names are not followed any more; the others in its order.
    std::vector<std::string> in_list_order;
    for (const std::string& name : *listed_)
      if (std::find(settled.begin(), settled.end(), name) != settled.end() &&
          std::find(in_list_order.begin(), in_list_order.end(), name) == in_list_order.end())
        in_list_order.push_back(name);
    settled = std::move(in_list_order);
  }
  for (const std::string& name : settled) follow(name);
}

void WatchSession::read_list_again() {
  std::string reason;
  auto names = read_listed_names(reason);
  if (!names) {
    current_errors().write_line("curvist: cannot read the list file " + list_file + " again: " +
                                reason + "; the names it listed are followed as before");
    return;
  }
  std::vector<std::string> newly_listed;
  for (const std::string& name : *names)
    if (std::find(listed_->begin(), listed_->end(), name) == listed_->end() &&
        std::find(newly_listed.begin(), newly_listed.end(), name) == newly_listed.end())
      newly_listed.push_back(name);
  listed_ = std::move(names);
  watch_listed_folders(true);
  for (const std::string& name : newly_listed) follow(name);
}

void WatchSession::follow(const std::string& name) {
  // A data file that came and went without ever being plotted is nothing to tell.
  if (!follows_hand_written_list() && !windows_.contains(name) && !exists(name)) return;
  // Only closed since it was read, and as it was then: nothing to draw again.
  const bool written = written_.erase(name) > 0;
  const std::optional<FileStamp> stamp = stamp_of(name);
  if (const auto read = read_stamps_.find(name);
      !written && read != read_stamps_.end() && read->second == stamp)
    return;
  read_stamps_[name] = stamp;
  plot_when_it_passes(name, options_, [&](FileText& text) { plot(name, text); });
}

void WatchSession::plot(const std::string& name, FileText& text) {
  plotted_ = true;
  const std::optional<int> shown = window_of(name);
  const std::optional<int> drawn_into = load_or_explain(text, name, options_, shown);
  if (!shown && drawn_into) windows_[name] = *drawn_into;
}

}  // namespace curvist
