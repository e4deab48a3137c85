#include "pgplot/GizaMessages.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

namespace curvist {

GizaMessages::GizaMessages() {
  capture_ = memfd_create("giza-messages", MFD_CLOEXEC);
  if (capture_ < 0) capture_ = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (capture_ >= 0) fcntl(capture_, F_SETFL, fcntl(capture_, F_GETFL) | O_APPEND);
}

GizaMessages::~GizaMessages() {
  if (capture_ >= 0) close(capture_);
}

// The descriptor of standard error is duplicated anew on every call rather than once:
// whoever owns standard error may have redirected it meanwhile.
int GizaMessages::divert() {
  if (capture_ < 0) return -1;
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  if (saved >= 0) dup2(capture_, STDERR_FILENO);
  return saved;
}

void GizaMessages::restore(int saved) {
  if (saved < 0) return;
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
}

void GizaMessages::clear() {
  // A capture that cannot be emptied only keeps an older error, which is then reported.
  if (capture_ >= 0 && ftruncate(capture_, 0) != 0) return;
}

std::optional<std::string> GizaMessages::first_error() const {
  if (capture_ < 0) return std::nullopt;
  std::string text;
  char buffer[4096];
  off_t offset = 0;
  for (;;) {
    const ssize_t count = pread(capture_, buffer, sizeof buffer, offset);
    if (count <= 0) break;
    text.append(buffer, static_cast<std::size_t>(count));
    offset += count;
  }
  constexpr std::string_view error_mark = "ERROR - ";
  const auto mark = text.find(error_mark);
  if (mark == std::string::npos) return std::nullopt;
  std::string_view line(text);
  line = line.substr(mark + error_mark.size());
  line = line.substr(0, line.find('\n'));
  // "giza_close_device_ps: error while writing to output stream": the routine's name
  // means nothing to the user.
  const auto colon = line.find(": ");
  if (colon != std::string_view::npos) line = line.substr(colon + 2);
  return std::string(line);
}

}  // namespace curvist
