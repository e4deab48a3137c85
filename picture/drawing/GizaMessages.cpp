#include "drawing/GizaMessages.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

namespace curvist {

GizaMessages::GizaMessages(GizaErrorCapture capture)
    : per_call_(capture == GizaErrorCapture::per_call) {
  capture_ = memfd_create("giza-messages", MFD_CLOEXEC);
  if (capture_ < 0) capture_ = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (capture_ >= 0) fcntl(capture_, F_SETFL, fcntl(capture_, F_GETFL) | O_APPEND);
  if (per_call_)
    note_standard_error();
  else if (capture_ >= 0)
    dup2(capture_, STDERR_FILENO);
}

GizaMessages::~GizaMessages() {
  if (standard_error_ >= 0) close(standard_error_);
  if (capture_ >= 0) close(capture_);
}

// Standard error is noted anew for every picture rather than once: whoever owns it may
// have redirected it meanwhile. Within a picture the calls come by the hundred thousand
// (a curve broken into segments), so each call only swaps the descriptor.
void GizaMessages::note_standard_error() {
  if (!per_call_) return;
  if (standard_error_ >= 0) close(standard_error_);
  standard_error_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
}

bool GizaMessages::divert() {
  if (!per_call_ || capture_ < 0 || standard_error_ < 0) return false;
  std::fflush(stderr);
  return dup2(capture_, STDERR_FILENO) >= 0;
}

void GizaMessages::restore() {
  std::fflush(stderr);
  dup2(standard_error_, STDERR_FILENO);
}

void GizaMessages::clear() {
  note_standard_error();
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
