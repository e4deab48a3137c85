#include "files/MappedFile.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "files/RegularFile.hpp"
#include "files/VanishedPageGuard.hpp"
#include "text/Explanation.hpp"

namespace curvist {
namespace {

// Pages are given back in steps of this many bytes: fewer calls, still a small window.
constexpr std::size_t release_step = std::size_t(4) << 20;

}  // namespace

std::optional<MappedFile> MappedFile::open(std::string_view path, std::string* why_not) {
  const std::string terminated(path);
  const auto refuse = [why_not](const auto& describe) -> std::optional<MappedFile> {
    explain(why_not, describe);
    return std::nullopt;
  };
  const auto failed = [](std::string_view step, int error) {
    return [step, error] { return std::string(step) + ": " + std::strerror(error); };
  };
  // Checked before opening, so that opening never waits for a FIFO's writer, and again
  // on the open file in case the path changed in between.
  if (!is_regular_file(terminated)) return refuse([&] { return why_no_regular_file(terminated); });
  const int descriptor = ::open(terminated.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return refuse(failed("cannot be opened", errno));
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(descriptor);
    return refuse([] { return std::string("replaced while it was opened"); });
  }
  const auto size = std::size_t(status.st_size);
  if (size == 0) {
    close(descriptor);
    return MappedFile(nullptr, 0);
  }
  void* mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
  const int map_error = errno;
  close(descriptor);
  if (mapping == MAP_FAILED) return refuse(failed("cannot be read into memory", map_error));
  madvise(mapping, size, MADV_SEQUENTIAL);
  return MappedFile(static_cast<char*>(mapping), size);
}

MappedFile::MappedFile(char* data, std::size_t size)
    : data_(data), size_(size), guard_(data != nullptr ? watch_mapping(data, size) : -1) {}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      released_(std::exchange(other.released_, 0)),
      guard_(std::exchange(other.guard_, -1)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    stop_watching(guard_);
    if (data_ != nullptr) munmap(data_, size_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    released_ = std::exchange(other.released_, 0);
    guard_ = std::exchange(other.guard_, -1);
  }
  return *this;
}

MappedFile::~MappedFile() {
  stop_watching(guard_);
  if (data_ != nullptr) munmap(data_, size_);
}

bool MappedFile::cut_short() const { return mapping_was_cut_short(guard_); }

void MappedFile::release_before(std::size_t position) {
  const auto page = std::size_t(sysconf(_SC_PAGESIZE));
  const std::size_t end = std::min(position, size_) / page * page;
  if (end < released_ + release_step) return;
  madvise(data_ + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace curvist
