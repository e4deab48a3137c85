#pragma once
// Files that changed, each to be read once it has been quiet for a while, so that a file
// still being written is not read half way. A file closed after writing may still be
// written again (some writers reopen it, others keep it open between pieces), so only
// quiet counts, never the close.
//
// The quiet period is 250 ms. Programs that write a file in pieces (buffered writes of a
// simulation, an instrument's lines, an editor's save through a renamed copy) pause far
// less than that between pieces, and a quarter of a second from the last write to the new
// plot still feels live. A writer that pauses longer leaves a file cut short: it fails the
// pre-check (fewer lines than its header promises), changes nothing on screen or on disk,
// and is read again after its next change.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace curvist {

using WatchClock = std::chrono::steady_clock;

inline constexpr std::chrono::milliseconds quiet_period{250};

struct SettlingFiles {
  // The last change noted of each file not yet read.
  std::map<std::string, WatchClock::time_point> last_change;
};

void note_change(SettlingFiles& files, const std::string& name, WatchClock::time_point when);

// Takes out the files quiet for the quiet period at `now`, sorted by name.
std::vector<std::string> take_settled(SettlingFiles& files, WatchClock::time_point now);

// How long from `now` until the next file settles, rounded up to whole milliseconds;
// nothing when no file is waiting.
std::optional<std::chrono::milliseconds> time_to_next_settled(const SettlingFiles& files,
                                                              WatchClock::time_point now);

}  // namespace curvist
