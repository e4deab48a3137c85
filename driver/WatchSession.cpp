#include "WatchSession.hpp"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "ListFile.hpp"
#include "ListedNames.hpp"
#include "LoadPlot.hpp"
#include "Plot.hpp"
#include "PreCheck.hpp"
#include "Replot.hpp"
#include "SkippedFile.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

const std::string list_file(list_file_name);

bool exists(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(name, error));
}

}  // namespace

WatchSession::WatchSession(FolderEvents& events, int current_folder, const RunOptions& options,
                           std::optional<std::vector<std::string>> listed_names)
    : events_(events),
      current_folder_(current_folder),
      options_(options),
      listed_(std::move(listed_names)) {
  if (follows_hand_written_list()) watch_listed_folders();
}

std::optional<int> WatchSession::window_of(const std::string& name) const {
  const auto found = windows_.find(name);
  if (found == windows_.end()) return std::nullopt;
  return found->second;
}

void WatchSession::plot_accepted(std::string_view name) {
  plot(std::string(without_trailing_blanks(name)));
}

void WatchSession::watch_listed_folders() {
  listed_at_.clear();
  std::map<std::string, int> watched;
  for (const std::string& name : *listed_) {
    const auto place = folder_entry_of(name);
    if (!place) continue;
    auto folder = watched.find(place->folder);
    if (folder == watched.end()) {
      std::string reason;
      const int number =
          place->folder == "." ? current_folder_ : events_.watch(place->folder, reason);
      if (number < 0)
        std::cerr << "curvist: cannot follow " << name << ": its folder " << place->folder
                  << " cannot be watched: " << reason << '\n';
      folder = watched.emplace(place->folder, number).first;
    }
    if (folder->second >= 0) listed_at_[{folder->second, place->entry}].push_back(name);
  }
}

void WatchSession::note_change_of_every_file(WatchClock::time_point now) {
  if (follows_hand_written_list()) {
    note_change(changed_list_, list_file, now);
    for (const std::string& name : *listed_) note_change(changed_files_, name, now);
    return;
  }
  for (const auto& [name, unit] : windows_) note_change(changed_files_, name, now);
  for (const std::string& name : data_file_names()) note_change(changed_files_, name, now);
}

void WatchSession::note(const std::vector<FolderChange>& changes, WatchClock::time_point now) {
  for (const FolderChange& change : changes) {
    if (change.folder == every_folder) {
      note_change_of_every_file(now);
    } else if (!follows_hand_written_list()) {
      // A name the listing would leave out (a line break cannot stand in a list) is left
      // out here too.
      if (change.folder == current_folder_ && names_data_file(change.entry) &&
          change.entry.find('\n') == std::string::npos)
        note_change(changed_files_, change.entry, now);
    } else if (change.folder == current_folder_ && change.entry == list_file) {
      note_change(changed_list_, list_file, now);
    } else if (const auto found = listed_at_.find({change.folder, change.entry});
               found != listed_at_.end()) {
      for (const std::string& name : found->second) note_change(changed_files_, name, now);
    }
  }
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
    std::cerr << "curvist: cannot read the list file " << list_file << " again: " << reason
              << "; the names it listed are followed as before\n";
    return;
  }
  std::vector<std::string> newly_listed;
  for (const std::string& name : *names)
    if (std::find(listed_->begin(), listed_->end(), name) == listed_->end() &&
        std::find(newly_listed.begin(), newly_listed.end(), name) == newly_listed.end())
      newly_listed.push_back(name);
  listed_ = std::move(names);
  watch_listed_folders();
  for (const std::string& name : newly_listed) follow(name);
}

void WatchSession::follow(const std::string& name) {
  // A data file that came and went without ever being plotted is nothing to tell.
  if (!follows_hand_written_list() && !windows_.contains(name) && !exists(name)) return;
  std::string why_not;
  if (passes_pre_check(name, options_.explain ? &why_not : nullptr))
    plot(name);
  else if (options_.explain)
    explain_skipped(name, why_not);
}

void WatchSession::plot(const std::string& name) {
  std::string why_not;
  std::string* const wanted = options_.explain ? &why_not : nullptr;
  plotted_ = true;
  if (const auto unit = window_of(name)) {
    LOADPLOTPACK::reload_plot(*unit, name, wanted);
  } else {
    const int last_window = PLOTPACK::window_counter();
    LOADPLOTPACK::LOADPLOT(name, std::nullopt, wanted);
    if (PLOTPACK::window_counter() != last_window) windows_[name] = PLOTPACK::window_counter();
  }
  if (!why_not.empty()) explain_skipped(name, why_not);
}

}  // namespace curvist
