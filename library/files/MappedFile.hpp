#pragma once
// A regular file mapped into memory for one pass from its start to its end. The pages
// already passed over can be given back, so even a file far larger than the memory the
// reading needs costs only what is being read; a page given back that is read again
// simply comes back from the file.
//
// Only regular files (or links to them) are mapped, never a directory, FIFO or device,
// so opening never waits. A file cut short by another program while it is mapped would
// end the program with SIGBUS when the vanished pages are read; instead those pages
// read as zero bytes and cut_short() tells the reader to distrust what it read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace curvist {

class MappedFile {
 public:
  // Nothing when the path names no regular file or it cannot be mapped; then why_not,
  // when given, says why in a few words ("no such file", "a directory", "cannot be
  // opened: Permission denied").
  static std::optional<MappedFile> open(std::string_view path, std::string* why_not = nullptr);

  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  std::string_view text() const { return {data_, size_}; }

  // The text before `position` is not needed any more.
  void release_before(std::size_t position);

  // True once a page of the mapping was found gone from the file.
  bool cut_short() const;

 private:
  MappedFile(char* data, std::size_t size);

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t released_ = 0;  // the pages before this offset have been given back
  int guard_ = -1;            // the slot watching this mapping for vanished pages
};

}  // namespace curvist
