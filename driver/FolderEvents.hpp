#pragma once
// Changes to the entries of folders, as the kernel reports them (inotify): an entry made,
// written, closed after writing, renamed into place or away, changed in its attributes or
// removed. What changed is not told apart: whoever follows a file reads it again.

#include <memory>
#include <string>
#include <vector>

namespace curvist {

// Anything in any folder may have changed: the kernel's queue overflowed.
inline constexpr int every_folder = -1;

struct FolderChange {
  int folder = every_folder;  // as FolderEvents::watch numbered it
  std::string entry;          // the entry's name in that folder; empty for every_folder
};

class FolderEvents {
 public:
  // Nothing, with the reason, when the kernel gives no events (inotify missing or out of
  // instances).
  static std::unique_ptr<FolderEvents> open(std::string& reason);
  ~FolderEvents();
  FolderEvents(const FolderEvents&) = delete;
  FolderEvents& operator=(const FolderEvents&) = delete;

  // The folder's number in the changes: the same for one folder whatever path names it.
  // -1, with the reason, when it cannot be watched.
  int watch(const std::string& folder, std::string& reason);

  // Readable when changes have come in.
  int descriptor() const { return descriptor_; }

  // The changes that have come in, oldest first, without waiting. Changes to folders
  // inside the watched ones are left out: only files are plotted.
  std::vector<FolderChange> take_changes();

 private:
  explicit FolderEvents(int descriptor) : descriptor_(descriptor) {}

  int descriptor_;
};

}  // namespace curvist
