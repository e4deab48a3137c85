#include "Watch.hpp"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FolderEvents.hpp"
#include "ListFile.hpp"
#include "ListedNames.hpp"
#include "Main.hpp"
#include "WatchSession.hpp"
#include "platform/Platform.hpp"
#include "window/WindowOperations.hpp"

namespace curvist {
namespace {

// Follows the changes until the user has closed the last window shown.
void follow_changes(WatchSession& session, FolderEvents& events) {
  for (;;) {
    const auto limit = session.time_to_next_settled(WatchClock::now());
    // The windows are asked for only once a plot may have opened one: a session that has
    // plotted nothing yet does not connect to a display.
    const auto end = session.plotted()
                         ? current_windows().keep_windows_while_waiting(events.descriptor(), limit)
                         : wait_for_descriptor(events.descriptor(), limit);
    if (end == WindowOperations::WaitEnd::windows_closed) return;
    if (end == WindowOperations::WaitEnd::descriptor_ready)
      session.note(events.take_changes(), WatchClock::now());
    session.draw_settled(WatchClock::now());
  }
}

}  // namespace

int watch_current_folder(const RunOptions& options) {
  // Watched from before the run, so that a file written while the run goes on is not
  // missed.
  std::string why_not_watched;
  const std::unique_ptr<FolderEvents> events = FolderEvents::open(why_not_watched);
  const int current_folder = events ? events->watch(".", why_not_watched) : -1;
  if (current_folder < 0) {
    current_errors().write_line("curvist: cannot watch the folder for changes: " + why_not_watched +
                                "; the plots will not follow their files");
    return MAIN(options);
  }

  std::optional<std::vector<std::string>> listed_names;
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(list_file_name, error))) {
    // The run reads the same list right after: one it cannot read ends the run.
    std::string unread;
    listed_names = read_listed_names(unread);
    if (!listed_names) listed_names.emplace();
  }

  const UnwrittenPictures unwritten;
  WatchSession session(*events, current_folder, options, std::move(listed_names));
  // As in a run without --watch, the picture of one file is drawn while the next file is
  // read; the plots that follow their files are then drawn one by one.
  const int status = run_with_pictures_in_background(
      [&](std::string_view name, FileText& text) { session.plot_accepted(name, text); }, options);
  if (status != 0) return status;
  follow_changes(session, *events);
  return unwritten.status();
}

}  // namespace curvist
