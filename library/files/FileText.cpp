#include "files/FileText.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "array/LargeArrays.hpp"
#include "files/RegularFile.hpp"

namespace curvist {
namespace {

// The window reaches this far ahead of the reader: few reads, still a small window.
constexpr std::size_t read_ahead = FileText::read_on_distance * 2;
// What lies behind the reader is given back in steps of this many bytes.
constexpr std::size_t release_step = std::size_t(1) << 20;

std::size_t page_size() { return std::size_t(sysconf(_SC_PAGESIZE)); }

// Address space for `size` bytes: a page costs memory once it is read into. From 2 MiB
// on it starts at a 2 MiB boundary and ends at one, so that huge pages can hold all of a
// text kept whole, not all but its ends.
struct AddressSpace {
  void* place;
  std::size_t length;
};
AddressSpace address_space_for(std::size_t size) {
  constexpr std::size_t huge_page = std::size_t(2) << 20;
  constexpr int flags = MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE;
  if (size < huge_page) return {mmap(nullptr, size, PROT_READ | PROT_WRITE, flags, -1, 0), size};
  const std::size_t length = (size + huge_page - 1) / huge_page * huge_page;
  void* wider = mmap(nullptr, length + huge_page, PROT_READ | PROT_WRITE, flags, -1, 0);
  if (wider == MAP_FAILED) return {wider, 0};
  char* const first = static_cast<char*>(wider);
  const std::size_t before =
      (huge_page - reinterpret_cast<std::uintptr_t>(first) % huge_page) % huge_page;
  if (before > 0) munmap(first, before);
  munmap(first + before + length, huge_page - before);
  return {first + before, length};
}

// Where the next line begins after the last line end (line feed or carriage return)
// between `from` and `to`; zero when no line ends there. Looked for backwards, both line
// ends at once: past the last line's few bytes nothing is looked at, however much was read.
std::size_t after_last_line_end(const char* data, std::size_t from, std::size_t to) {
  for (std::size_t at = to; at > from; --at)
    if (data[at - 1] == '\n' || data[at - 1] == '\r') return at;
  return 0;
}

// The end of the last line that ends between `from` and `to`: after a line feed, or after
// a carriage return that is followed by something else than a line feed (the byte at
// `to` is not known yet, so a carriage return just before it does not count). Zero when
// no line ends there.
std::size_t last_line_end(const char* data, std::size_t from, std::size_t to) {
  if (to > from && data[to - 1] == '\r') --to;
  return after_last_line_end(data, from, to);
}

}  // namespace

Refusable<FileText> FileText::open(std::string_view path) {
  const std::string terminated(path);
  const auto failed = [](std::string_view step, int error) {
    return Refusal{std::string(step) + ": " + std::strerror(error)};
  };
  // Checked before opening, so that opening never waits for a FIFO's writer, and again
  // on the open file in case the path changed in between.
  if (!is_regular_file(terminated)) return Refusal{why_no_regular_file(terminated)};
  const int descriptor = ::open(terminated.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return failed("cannot be opened", errno);
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(descriptor);
    return Refusal{"replaced while it was opened"};
  }
  const auto size = std::size_t(status.st_size);
  if (size == 0) return FileText(descriptor, nullptr, 0, 0);
  const AddressSpace space = address_space_for(size);
  if (space.place == MAP_FAILED) {
    const int error = errno;
    close(descriptor);
    return failed("cannot be read into memory", error);
  }
  posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
  return FileText(descriptor, static_cast<char*>(space.place), space.length, size);
}

FileText::FileText(int descriptor, char* data, std::size_t mapped, std::size_t size)
    : descriptor_(descriptor), data_(data), mapped_(mapped), size_(size) {}

FileText::FileText(FileText&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      data_(std::exchange(other.data_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)),
      size_(std::exchange(other.size_, 0)),
      held_from_(std::exchange(other.held_from_, 0)),
      read_to_(std::exchange(other.read_to_, 0)),
      visible_(std::exchange(other.visible_, 0)),
      line_start_(std::exchange(other.line_start_, 0)),
      overlong_line_(std::exchange(other.overlong_line_, std::nullopt)),
      cut_short_(std::exchange(other.cut_short_, false)),
      kept_(std::exchange(other.kept_, false)) {}

FileText& FileText::operator=(FileText&& other) noexcept {
  FileText taken(std::move(other));
  std::swap(descriptor_, taken.descriptor_);
  std::swap(data_, taken.data_);
  std::swap(mapped_, taken.mapped_);
  std::swap(size_, taken.size_);
  std::swap(held_from_, taken.held_from_);
  std::swap(read_to_, taken.read_to_);
  std::swap(visible_, taken.visible_);
  std::swap(line_start_, taken.line_start_);
  std::swap(overlong_line_, taken.overlong_line_);
  std::swap(cut_short_, taken.cut_short_);
  std::swap(kept_, taken.kept_);
  return *this;
}

FileText::~FileText() {
  if (data_ != nullptr) munmap(data_, mapped_);
  if (descriptor_ >= 0) close(descriptor_);
}

void FileText::fill_to(std::size_t end) {
  end = std::min(end, size_);
  // A carriage return at the old end is decided by the byte read after it.
  const std::size_t search_from = read_to_ > held_from_ ? read_to_ - 1 : held_from_;
  while (read_to_ < end) {
    const ssize_t count = pread(descriptor_, data_ + read_to_, end - read_to_, off_t(read_to_));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      // The file ends earlier than it did, or cannot be read on: either way its text
      // ends here, and whoever reads it learns that it is not the file it was.
      cut_short_ = true;
      size_ = read_to_;
      break;
    }
    read_to_ += std::size_t(count);
  }
  check_line_lengths();
  if (read_to_ == size_)
    visible_ = size_;
  else
    visible_ = std::max(visible_, last_line_end(data_, search_from, read_to_));
}

void FileText::restart_at(std::size_t position) {
  const std::size_t page = page_size();
  if (read_to_ > held_from_) madvise(data_ + held_from_, read_to_ - held_from_, MADV_DONTNEED);
  held_from_ = read_to_ = visible_ = position / page * page;
  // Measured from here, a line can only seem shorter than it is.
  line_start_ = held_from_;
}

void FileText::check_line_lengths() {
  // Each step looks at a line's first longest_line bytes and the one after them for the
  // last line end, a carriage return counting even when a line feed follows (for a
  // line's length that one byte makes no difference): a line at most that long ends there.
  while (read_to_ - line_start_ > longest_line) {
    const std::size_t next =
        after_last_line_end(data_, line_start_, line_start_ + longest_line + 1);
    if (next == 0) {
      overlong_line_ = line_start_;
      size_ = read_to_ = line_start_;
      return;
    }
    line_start_ = next;
  }
}

void FileText::move_window(std::size_t position) {
  position = std::min(position, size_);
  if (position < held_from_ || position > read_to_) restart_at(position);
  if (read_to_ < size_ && read_to_ - position < read_on_distance) fill_to(position + read_ahead);
  // A line longer than the window: read on until it ends (or proves too long).
  while (!complete() && visible_ <= position) fill_to(read_to_ + read_ahead);
}

void FileText::release_before(std::size_t position) {
  if (kept_) return;
  const std::size_t page = page_size();
  const std::size_t end = std::min({position, read_to_, line_start_}) / page * page;
  if (end < held_from_ + release_step) return;
  const std::size_t length = end - held_from_;
  // The pages given back are moved ahead, where the window goes next: reading into pages
  // that are already there spares the kernel finding and clearing new ones. The place
  // they leave stays reserved, empty.
  const std::size_t ahead = (read_to_ + page - 1) / page * page;
  char* const from = data_ + held_from_;
  if (ahead + length > mapped_ ||
      mremap(from, length, length, MREMAP_MAYMOVE | MREMAP_FIXED | MREMAP_DONTUNMAP,
             data_ + ahead) == MAP_FAILED)
    madvise(from, length, MADV_DONTNEED);
  held_from_ = end;
}

void FileText::keep_text_read() {
  kept_ = true;
  // Held whole, the text is large memory filled once.
  if (data_ != nullptr) ask_for_huge_pages(data_, mapped_);
}

std::string_view FileText::whole_text() {
  if (held_from_ > 0) restart_at(0);
  fill_to(size_);
  return text();
}

}  // namespace curvist
