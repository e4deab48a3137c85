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
                                          IN_MOVED_FROM | IN_DELETE | IN_ATTRIB | IN_ONLYDIR |
                                          IN_EXCL_UNLINK;

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

int FolderEvents::watch(const std::string& folder, std::string& reason) {
  const int number = inotify_add_watch(descriptor_, folder.c_str(), watched_changes);
  if (number < 0) reason = std::strerror(errno);
  return number;
}

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
      if ((event.mask & IN_Q_OVERFLOW) != 0)
        changes.push_back({every_folder, {}});
      else if ((event.mask & (IN_ISDIR | IN_IGNORED)) == 0 && event.len > 0)
        changes.push_back({event.wd, std::string(name, strnlen(name, event.len))});
    }
  }
  return changes;
}

}  // namespace curvist
