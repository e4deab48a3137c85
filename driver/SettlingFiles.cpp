#include "SettlingFiles.hpp"

#include <algorithm>

namespace curvist {

void note_change(SettlingFiles& files, const std::string& name, WatchClock::time_point when) {
  auto& last = files.last_change[name];
  last = std::max(last, when);
}

std::vector<std::string> take_settled(SettlingFiles& files, WatchClock::time_point now) {
  std::vector<std::string> settled;
  for (auto file = files.last_change.begin(); file != files.last_change.end();) {
    if (now - file->second >= quiet_period) {
      settled.push_back(file->first);
      file = files.last_change.erase(file);
    } else {
      ++file;
    }
  }
  return settled;
}

std::optional<std::chrono::milliseconds> time_to_next_settled(const SettlingFiles& files,
                                                              WatchClock::time_point now) {
  if (files.last_change.empty()) return std::nullopt;
  WatchClock::time_point first = WatchClock::time_point::max();
  for (const auto& [name, last] : files.last_change) first = std::min(first, last);
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(first + quiet_period - now);
  return std::max(left, std::chrono::milliseconds(0));
}

}  // namespace curvist
