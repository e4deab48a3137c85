#pragma once
// Changes to the entries of folders, as the kernel reports them (inotify): an entry made,
// written, closed after writing, renamed into place or away, changed in its attributes or
// removed; a folder inside made, removed or renamed; the watched folder itself removed
// or moved away. Of a file only a close is told apart: it changes nothing by itself (the
// writes before it were told already), but a writer that maps the file into memory
// leaves no other trace.

#include <memory>
#include <string>
#include <vector>

namespace curvist {

// Anything in any folder may have changed: the kernel's queue overflowed.
inline constexpr int every_folder = -1;

enum class FolderChangeKind {
  written,       // a file made, written, renamed, removed or changed in its attributes
  closed,        // a file closed after writing, and nothing else
  folder_entry,  // a folder inside made, removed or renamed
  removed,       // the watched folder itself removed
  moved,         // the watched folder itself moved away (watched on where it went)
};

struct FolderChange {
  int folder = every_folder;  // as FolderEvents::watch numbered it
  std::string entry;  // the entry's name in that folder; empty for every_folder, removed, moved
  FolderChangeKind kind = FolderChangeKind::written;
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
  // -1, with the reason, when it cannot be watched. Every change, or (added to what the
  // folder is watched for already) only entries removed.
  enum class Watched { every_change, removals };
  int watch(const std::string& folder, std::string& reason,
            Watched watched = Watched::every_change);
  // No more changes of that folder.
  void stop_watching(int folder);

  // Readable when changes have come in.
  int descriptor() const { return descriptor_; }

  // The changes that have come in, oldest first, without waiting.
  std::vector<FolderChange> take_changes();

 private:
  explicit FolderEvents(int descriptor) : descriptor_(descriptor) {}

  int descriptor_;
};

}  // namespace curvist
