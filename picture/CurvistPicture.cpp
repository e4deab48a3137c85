// curvist-picture: draws the pictures of the Curvist library with giza, in a process of
// its own, so that giza never runs in the library's caller. Its standard input is a
// socket to the library: the PGPLOT calls come in as frames, and PGBEG and PGEND are
// answered there with their outcome and the lines the user is to read. Its standard
// error is its own: giza's messages are read there and shown to nobody. Started by the
// library, not by hand.
#include <cpgplot.h>
// giza.h does not declare its functions for C++ itself.
extern "C" {
#include <giza.h>
}
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "drawing/GizaPgplot.hpp"
#include "files/TemporaryFileRemoval.hpp"
#include "pgplot/FrameChannel.hpp"
#include "pgplot/PictureStream.hpp"

namespace {

pid_t parent_at_start = 0;

// The signal that the end of the thread that started us sends. A host's thread may end
// while the host goes on, and then this is nothing; once the host itself has gone, the
// picture being drawn is given up as on SIGTERM (its temporary file removed).
extern "C" void end_if_orphaned(int) {
  if (getppid() != parent_at_start) raise(SIGTERM);
}

void end_with_parent() {
  parent_at_start = getppid();
  struct sigaction action {};
  action.sa_handler = end_if_orphaned;
  sigemptyset(&action.sa_mask);
  sigaction(SIGUSR1, &action, nullptr);
  prctl(PR_SET_PDEATHSIG, SIGUSR1);
  if (getppid() != parent_at_start) raise(SIGTERM);
}

// The library removes the picture's file should this program end before it does.
std::string absolute(const std::string& path) {
  if (path.empty()) return path;
  std::error_code unknown;
  return std::filesystem::absolute(path, unknown).string();
}

// giza sets up its fonts (fontconfig's configuration, the font it draws with) for the
// first picture it draws; done now, that happens while the library's caller is still
// reading its data. The device is a single pixel: giza's default null device is an
// 800 x 600 image that it fills with the background, 2 MB of memory touched for nothing,
// and the caller's first picture waits for that when its data is small.
void set_up_fonts() {
  if (giza_open_device_size("/null", "", 1, 1, GIZA_UNITS_PIXELS) > 0) cpgend();
}

}  // namespace

int main() {
  close_range(STDERR_FILENO + 1, ~0U, 0);
  curvist::remove_temporary_files_on_interrupt();
  end_with_parent();
  set_up_fonts();

  std::ostringstream reports;
  curvist::GizaPgplot pgplot(true, reports, curvist::GizaErrorCapture::whole_process,
                             curvist::GizaLines::drawn_in_background);
  std::vector<float> frame;
  std::vector<char> answer;
  curvist::FrameReceiver frames(STDIN_FILENO);
  while (const auto length = frames.receive(frame)) {
    if (const auto folder = curvist::working_folder_in(frame, *length)) {
      // A folder that is gone makes the picture's own name fail, and say why.
      [[maybe_unused]] const int changed = chdir(std::string(*folder).c_str());
      continue;
    }
    const auto made = curvist::make_call(frame, *length, pgplot);
    // Frames this program does not understand come from another build: nothing more it
    // is sent can be trusted.
    if (!made) return 1;
    if (!made->result) continue;
    answer.clear();
    curvist::FrameEncoder(answer).answer(made->call, *made->result, reports.str(),
                                         absolute(pgplot.drawing_path()));
    reports.str("");
    if (!curvist::send_bytes(STDIN_FILENO, answer)) return 1;
  }
  return 0;
}
