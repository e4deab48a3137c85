// curvist-picture as a broken installation or another version could make it: it draws
// as the real one until its picture number N of STAND_IN_FAULT ("FAULT N VALUE"), which
// it begins, then: answers and dies, answers and stops, closes its socket and lives on,
// answers with a frame of VALUE bytes (then takes what comes, silent), with a PGEND
// answer, or with VALUE as its drawing file (then ends as on SIGTERM).
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "drawing/GizaPgplot.hpp"
#include "files/TemporaryFileRemoval.hpp"
#include "pgplot/FrameChannel.hpp"
#include "pgplot/PictureStream.hpp"

using namespace curvist;

int main() {
  remove_temporary_files_on_interrupt();
  std::istringstream setting(getenv("STAND_IN_FAULT") ? getenv("STAND_IN_FAULT") : "");
  std::string fault, value;
  int faulty = 0, pictures = 0;
  setting >> fault >> faulty >> value;
  std::ostringstream reports;
  GizaPgplot pgplot(true, reports, GizaErrorCapture::whole_process);
  FrameReceiver frames(STDIN_FILENO);
  std::vector<float> frame;
  while (const auto length = frames.receive(frame)) {
    // Started in its caller's folder, where the runs of the tests stay.
    if (working_folder_in(frame, *length)) continue;
    const auto made = make_call(frame, *length, pgplot);
    if (!made) return 1;
    if (!made->result) continue;
    const std::string lie = made->call == PgplotCall::PGBEG && ++pictures == faulty ? fault : "";
    std::error_code none;
    const std::string drawing = std::filesystem::absolute(pgplot.drawing_path(), none).string();
    std::vector<char> answer;
    FrameEncoder(answer).answer(lie == "answers-PGEND" ? PgplotCall::PGEND : made->call,
                                *made->result, reports.str(), lie == "names" ? value : drawing);
    reports.str("");
    if (lie == "closes" && close(STDIN_FILENO) == 0) pause();
    if (lie == "claims") {
      const std::uint64_t claimed = std::stoull(value);
      std::memcpy(answer.data(), &claimed, sizeof claimed);
      answer.resize(sizeof claimed);
    }
    send_bytes(STDIN_FILENO, answer);
    if (lie == "dies") raise(SIGKILL);
    if (lie == "stops") raise(SIGSTOP);
    if (lie == "names") raise(SIGTERM);
    while (lie == "claims" && frames.receive(frame)) {
    }
  }
}
