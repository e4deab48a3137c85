#include "devices/PictureFile.hpp"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "devices/DeviceTable.hpp"
#include "files/FileDescriptor.hpp"
#include "pgplot/TemporaryPictureName.hpp"

namespace curvist {
namespace {

std::string folder_of(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string errno_text(int error) { return std::strerror(error); }

// Why the file that stands under `target` must not be replaced by a picture; nothing
// when there is none, or when it is a picture itself (an older one of that name, as its
// first bytes tell). Whatever else stands there, a data file above all, is kept.
std::optional<std::string> why_not_replaced(const std::string& target) {
  struct stat status {};
  if (lstat(target.c_str(), &status) != 0) return std::nullopt;
  constexpr std::string_view kept = "; it is left as it is";
  // Never waits: not for a FIFO's writer, nor for a device.
  const FileDescriptor file(open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file)
    return "a file of that name cannot be read to tell whether it is a picture (" +
           errno_text(errno) + ")" + std::string(kept);
  std::string opening(picture_opening_length, '\0');
  ssize_t length = -1;
  if (fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode))
    length = pread(file.get(), opening.data(), opening.size(), 0);
  if (length < 0 || !opens_like_picture(std::string_view(opening).substr(0, std::size_t(length))))
    return "a file of that name is there that is not a picture" + std::string(kept);
  return std::nullopt;
}

}  // namespace

TemporaryFile::TemporaryFile(std::string_view beside, std::string_view extension) {
  // Hidden, so that a listing of the folder made meanwhile does not pick it up.
  std::string pattern = temporary_picture_pattern(folder_of(beside), extension);
  // Made and registered for removal as one step, so that a program that asked for the
  // removal on interruption never has the file left behind. The path is registered whole:
  // the program may change its folder while the picture is drawn.
  const InterruptionsHeld held;
  const FileDescriptor made(mkstemps(pattern.data(), static_cast<int>(extension.size())));
  if (!made) throw std::system_error(errno, std::generic_category());
  path_ = std::move(pattern);
  std::error_code no_absolute_path;
  removal_ = std::make_unique<RemovalOnInterrupt>(
      std::filesystem::absolute(path_, no_absolute_path).string());
}

TemporaryFile::~TemporaryFile() {
  if (!moved_) unlink(path_.c_str());
}

std::optional<std::string> TemporaryFile::move_into_place(const std::string& target) {
  // No fsync: the rename alone already keeps a half-written picture from ever appearing
  // under the name when the program stops midway. Only a crash of the whole system just
  // after the rename could leave the new name on an incomplete file; waiting for the disk
  // on every picture cost more than all the rest of a small plot.
  // A picture keeps the permissions of a file made the ordinary way, not mkstemp's 0600.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(path_.c_str(), 0666 & ~mask);
  // Looked at just before the rename: only a file put there in that very instant could
  // slip past.
  if (auto kept = why_not_replaced(target)) return kept;
  if (std::rename(path_.c_str(), target.c_str()) != 0) return errno_text(errno);
  moved_ = true;
  return std::nullopt;
}

std::optional<std::string> check_complete(const std::string& path, std::string_view ending) {
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) return errno_text(errno);
  struct stat status {};
  const off_t size = fstat(file.get(), &status) == 0 ? status.st_size : -1;
  constexpr off_t tail_length = 64;
  std::vector<char> tail(static_cast<std::size_t>(std::clamp<off_t>(size, 0, tail_length)));
  const off_t tail_start = size - static_cast<off_t>(tail.size());
  const bool read =
      pread(file.get(), tail.data(), tail.size(), tail_start) == static_cast<ssize_t>(tail.size());
  if (size <= 0) return "nothing was written";
  if (!read) return "it cannot be read back";
  std::string_view text(tail.data(), tail.size());
  const auto last = text.find_last_not_of(" \r\n");
  text = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  if (!text.ends_with(ending)) return "the file was cut short";
  return std::nullopt;
}

}  // namespace curvist
