#include "drawing/GizaMessages.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

namespace curvist {

GizaMessages::GizaMessages(GizaErrorCapture capture)
    : capture_(memfd_create("giza-messages", MFD_CLOEXEC)),
      per_call_(capture == GizaErrorCapture::per_call) {
  if (!capture_) capture_.reset(open("/dev/null", O_WRONLY | O_CLOEXEC));
  if (capture_) fcntl(capture_.get(), F_SETFL, fcntl(capture_.get(), F_GETFL) | O_APPEND);
  if (per_call_)
    note_standard_error();
  else if (capture_)
    dup2(capture_.get(), STDERR_FILENO);
}

// Standard error is noted anew for every picture rather than once: whoever owns it may
// have redirected it meanwhile. Within a picture the calls come by the hundred thousand
// (a curve broken into segments), so each call only swaps the descriptor.
void GizaMessages::note_standard_error() {
  if (!per_call_) return;
  standard_error_.reset(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0));
}

bool GizaMessages::divert() {
  if (!per_call_ || !capture_ || !standard_error_) return false;
  std::fflush(stderr);
  return dup2(capture_.get(), STDERR_FILENO) >= 0;
}

void GizaMessages::restore() {
  std::fflush(stderr);
  dup2(standard_error_.get(), STDERR_FILENO);
}

void GizaMessages::clear() {
  note_standard_error();
  // A capture that cannot be emptied only keeps an older error, which is then reported.
  if (capture_ && ftruncate(capture_.get(), 0) != 0) return;
}

std::optional<std::string> GizaMessages::first_error() const {
  if (!capture_) return std::nullopt;
  std::string text;
  char buffer[4096];
  off_t offset = 0;
  for (;;) {
    const ssize_t count = pread(capture_.get(), buffer, sizeof buffer, offset);
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
