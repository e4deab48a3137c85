#include "FolderEvents.hpp"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace curvist {
namespace {

// A file replaced by renaming (editors, mv) arrives as moved-to; one removed, or renamed
// away, leaves its window behind as it was. Attributes count: a file made readable, or
// touched, is read again.
constexpr std::uint32_t watched_changes = IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO |
                                          IN_MOVED_FROM | IN_DELETE | IN_ATTRIB | IN_DELETE_SELF |
                                          IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK;

FolderChangeKind kind_of(std::uint32_t mask) {
  if ((mask & IN_DELETE_SELF) != 0) return FolderChangeKind::removed;
  if ((mask & IN_MOVE_SELF) != 0) return FolderChangeKind::moved;
  if ((mask & IN_ISDIR) != 0) return FolderChangeKind::folder_entry;
  return mask == IN_CLOSE_WRITE ? FolderChangeKind::closed : FolderChangeKind::written;
}

}  // namespace

std::unique_ptr<FolderEvents> FolderEvents::open(std::string& reason) {
  const int descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (descriptor < 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<FolderEvents>(new FolderEvents(descriptor));
}

FolderEvents::~FolderEvents() { close(descriptor_); }

int FolderEvents::watch(const std::string& folder, std::string& reason, Watched watched) {
  const std::uint32_t changes =
      watched == Watched::every_change ? watched_changes : IN_DELETE | IN_ONLYDIR | IN_MASK_ADD;
  const int number = inotify_add_watch(descriptor_, folder.c_str(), changes);
  if (number < 0) reason = std::strerror(errno);
  return number;
}

void FolderEvents::stop_watching(int folder) { inotify_rm_watch(descriptor_, folder); }

std::vector<FolderChange> FolderEvents::take_changes() {
  std::vector<FolderChange> changes;
  alignas(inotify_event) char buffer[64 * 1024];
  for (;;) {
    const ssize_t length = read(descriptor_, buffer, sizeof buffer);
    if (length < 0 && errno == EINTR) continue;
    if (length <= 0) break;
    for (ssize_t offset = 0; offset < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + offset, sizeof event);
      const char* name = buffer + offset + sizeof event;
      offset += static_cast<ssize_t>(sizeof event + event.len);
      const FolderChangeKind kind = kind_of(event.mask);
      if ((event.mask & IN_Q_OVERFLOW) != 0)
        changes.push_back({every_folder, {}});
      else if (kind == FolderChangeKind::removed || kind == FolderChangeKind::moved)
        changes.push_back({event.wd, {}, kind});
      // The end of a watch (after its folder went, or when asked for) tells nothing new.
      else if ((event.mask & IN_IGNORED) == 0 && event.len > 0)
        changes.push_back({event.wd, std::string(name, strnlen(name, event.len)), kind});
    }
  }
  return changes;
}

}  // namespace curvist
