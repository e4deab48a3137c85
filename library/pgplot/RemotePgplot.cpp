#include "pgplot/RemotePgplot.hpp"

#include <signal.h>
#include <sys/socket.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "pgplot/DeviceSpecification.hpp"
#include "pgplot/FrameChannel.hpp"
#include "pgplot/PictureNotWritten.hpp"
#include "pgplot/TemporaryPictureName.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

// Frames are gathered up to this size before they are sent; points beyond it go straight
// from the caller's arrays.
constexpr std::size_t gathered_bytes = std::size_t(64) << 10;

std::string picture_name_of(std::string_view specification) {
  const auto parsed = parse_device_specification(specification);
  if (parsed && !parsed->file_name.empty()) return parsed->file_name;
  return std::string(without_blanks_around(specification));
}

// Error lines as one line: each without the program's name before it, joined by "; ".
std::string one_line_reason(std::string_view lines) {
  constexpr std::string_view ours = "curvist: ";
  std::string reason;
  while (!lines.empty()) {
    const std::size_t end = std::min(lines.find('\n'), lines.size());
    std::string_view line = lines.substr(0, end);
    lines.remove_prefix(std::min(end + 1, lines.size()));
    if (line.starts_with(ours)) line.remove_prefix(ours.size());
    if (line.empty()) continue;
    if (!reason.empty()) reason += "; ";
    reason += line;
  }
  return reason;
}

std::span<const char> bytes_of(std::span<const float> values) {
  return {reinterpret_cast<const char*>(values.data()), values.size_bytes()};
}

}  // namespace

RemotePgplot::~RemotePgplot() {
  settle(Until::all);
  // A picture still open is given up by its program at the end of its stream; one that
  // had to be killed leaves its file to us.
  for (auto& drawer : drawers_) drawer->process.reset();
  for (const auto& [picture, path] : drawn_into_) unlink(path.c_str());
}

RemotePgplot::Drawer& RemotePgplot::start_process(std::size_t slot) {
  if (drawers_[slot]->process) return *drawers_[slot];
  // What an ended program owed is still its own to give out.
  Drawer& drawer = *(drawers_[slot] = std::make_shared<Drawer>());
  drawer.process = PictureProcess::start(drawer.loss);
  return drawer;
}

std::size_t RemotePgplot::pictures_owed_by(std::size_t slot) const {
  return std::size_t(std::count_if(owed_.begin(), owed_.end(), [&](const Owed& owed) {
    return owed.drawer == drawers_[slot] && owed.call == PgplotCall::PGEND;
  }));
}

std::size_t RemotePgplot::drawer_for_new_picture() const {
  // Waited for picture by picture, one program is as fast as two.
  if (!background_) return 0;
  const std::size_t other = 1 - drawing_;
  const std::size_t mine = pictures_owed_by(drawing_);
  // A second program is worth its start only behind a queue of pictures.
  if (!drawers_[other]->process && mine < 2) return drawing_;
  return pictures_owed_by(other) < mine ? other : drawing_;
}

template <PgplotCall call, typename... Values>
void RemotePgplot::send(const Values&... values) {
  if (!drawers_[drawing_]->process) return;
  if constexpr (pgplot_call_has_points<call>) {
    send_points<call>(values...);
  } else {
    FrameEncoder(outgoing_).call<call>(values...);
    if (outgoing_.size() >= gathered_bytes) flush();
  }
}

template <PgplotCall call, typename... Values>
void RemotePgplot::send_points(std::span<const float> x, std::span<const float> y,
                               const Values&... values) {
  Drawer& drawer = *drawers_[drawing_];
  const std::size_t count = std::min(x.size(), y.size());
  FrameEncoder(outgoing_).points_header<call>(count, values...);
  const auto x_bytes = bytes_of(x.first(count));
  const auto y_bytes = bytes_of(y.first(count));
  if (outgoing_.size() + x_bytes.size() + y_bytes.size() <= gathered_bytes) {
    outgoing_.insert(outgoing_.end(), x_bytes.begin(), x_bytes.end());
    outgoing_.insert(outgoing_.end(), y_bytes.begin(), y_bytes.end());
    return;
  }
  flush();
  for (const auto bytes : {x_bytes, y_bytes}) {
    if (drawer.process &&
        !send_bytes(drawer.process->socket(), bytes, take_waiting_answer, &drawer))
      end_process(drawer);
  }
}

void RemotePgplot::flush() {
  if (outgoing_.empty()) return;
  Drawer& drawer = *drawers_[drawing_];
  if (drawer.process &&
      !send_bytes(drawer.process->socket(), outgoing_, take_waiting_answer, &drawer))
    end_process(drawer);
  outgoing_.clear();
}

std::optional<PictureAnswer> RemotePgplot::receive_answer(Drawer& drawer) {
  const auto frame = receive_frame(drawer.process->socket(), drawer.incoming, longest_answer);
  if (frame.kind == ReceivedFrame::Kind::end_of_stream) return std::nullopt;
  if (frame.kind == ReceivedFrame::Kind::too_long) {
    drawer.misbehaves("it sent a frame of " + std::to_string(frame.length) +
                      " bytes, longer than any answer");
    return std::nullopt;
  }
  auto answer = decode_answer(drawer.incoming, std::size_t(frame.length));
  if (!answer) drawer.misbehaves("it sent a frame that is no answer");
  return answer;
}

void RemotePgplot::take_waiting_answer(void* waiting) {
  Drawer& drawer = *static_cast<Drawer*>(waiting);
  const auto answer = receive_answer(drawer);
  // Nothing more can be said to a program that does not answer: the send under way
  // then fails, and the program is taken for ended.
  if (!answer) {
    shutdown(drawer.process->socket(), SHUT_RDWR);
    return;
  }
  drawer.received.push_back(*answer);
}

std::optional<PictureAnswer> RemotePgplot::next_answer(const Owed& owed) {
  Drawer& drawer = *owed.drawer;
  std::optional<PictureAnswer> answer;
  if (!drawer.received.empty()) {
    answer = std::move(drawer.received.front());
    drawer.received.pop_front();
  } else if (drawer.process) {
    answer = receive_answer(drawer);
  }
  if (answer && answer->call != owed.call) drawer.misbehaves("it answered a call it was not asked");
  // The file drawn into is the one thing the caller may have to remove for the program:
  // it must be a picture in the making, where this picture's files go (unknown where the
  // folder is, and then not to be removed).
  else if (answer && !answer->drawing_path.empty() && owed.picture_folder.empty())
    answer->drawing_path.clear();
  else if (answer && !answer->drawing_path.empty() &&
           !is_temporary_picture_in(answer->drawing_path, owed.picture_folder))
    drawer.misbehaves("it named " + answer->drawing_path +
                      " as the file it draws into, which is none of ours");
  if (drawer.misbehaved) {
    drawer.received.clear();
    answer.reset();
  }
  if (!answer) end_process(drawer);
  return answer;
}

void RemotePgplot::Drawer::misbehaves(std::string_view what) {
  misbehaved = true;
  loss =
      "curvist-picture is not one this library can use (" + std::string(what) + "), and was ended";
}

void RemotePgplot::end_process(Drawer& drawer) {
  if (!drawer.process) return;
  const int socket = drawer.process->socket();
  // The answers it sent before it ended still count, unless it has sent nonsense.
  while (!drawer.misbehaved && frame_waiting(socket)) {
    const auto answer = receive_answer(drawer);
    if (!answer) break;
    drawer.received.push_back(*answer);
  }
  const std::string how = drawer.process->how_it_ended();
  if (!drawer.misbehaved) drawer.loss = "curvist-picture ended before it was finished: " + how;
  drawer.process.reset();
  drawer.folder_sent.clear();
  if (&drawer == drawers_[drawing_].get()) outgoing_.clear();
}

void RemotePgplot::explain(std::string_view lines) {
  // They are the lines owed, or a library caller's, which owes none.
  errors_.write_owed_lines(lines);
  explained_ += lines;
}

void RemotePgplot::report(const std::string& picture_name, const std::string& reason) {
  explain(picture_not_written_line(picture_name, reason));
}

void RemotePgplot::resolve(const Owed& owed, const std::optional<PictureAnswer>& answer) {
  // A picture's lines start with the answer to its PGBEG.
  if (owed.call == PgplotCall::PGBEG) explained_.clear();
  if (answer) {
    explain(answer->errors);
    last_result_ = answer->result;
    if (owed.call == PgplotCall::PGBEG) {
      // A picture that did not begin has been explained by the program that drew it.
      if (answer->result != 1) failure_reported_for_ = owed.picture;
      if (!answer->drawing_path.empty()) drawn_into_[owed.picture] = answer->drawing_path;
    } else {
      drawn_into_.erase(owed.picture);
      if (answer->result != 1) why_last_incomplete_ = one_line_reason(explained_);
    }
    if (owed.done) owed.done(answer->result == 1);
    return;
  }
  last_result_ = 0;
  // A program that ended at once (killed, or crashed) could not take its unfinished
  // picture's file with it.
  if (owed.call == PgplotCall::PGEND) {
    if (const auto drawn = drawn_into_.find(owed.picture); drawn != drawn_into_.end()) {
      unlink(drawn->second.c_str());
      drawn_into_.erase(drawn);
    }
  }
  if (failure_reported_for_ != owed.picture) {
    report(owed.picture_name, owed.drawer->loss);
    failure_reported_for_ = owed.picture;
  }
  if (owed.call == PgplotCall::PGEND) why_last_incomplete_ = one_line_reason(explained_);
  if (owed.done) owed.done(false);
}

void RemotePgplot::owe(Owed owed) {
  owed_.push_back(std::move(owed));
  if (lines_in_waiting_) lines_in_waiting_->owe();
}

void RemotePgplot::settle(Until until) {
  // The line that an outcome writes is in its place: the lines owed after it must wait
  // until it is written.
  if (settling_) return;
  settling_ = true;
  struct Done {
    bool& settling;
    ~Done() { settling = false; }
  } done{settling_};
  if (until == Until::all) flush();
  while (!owed_.empty()) {
    const Drawer& drawer = *owed_.front().drawer;
    const bool arrived =
        !drawer.received.empty() || !drawer.process || frame_waiting(drawer.process->socket());
    if (until == Until::arrived && !arrived) return;
    const Owed owed = std::move(owed_.front());
    owed_.pop_front();
    resolve(owed, next_answer(owed));
    if (lines_in_waiting_) lines_in_waiting_->written();
  }
}

int RemotePgplot::PGBEG(int unit, std::string_view device_specification, int nxsub, int nysub) {
  // What was said so far goes to the program it was meant for.
  flush();
  drawing_ = drawer_for_new_picture();
  Drawer& drawer = start_process(drawing_);
  ++pictures_begun_;
  picture_name_ = picture_name_of(device_specification);
  picture_open_ = true;
  // The picture's name means what it means in the caller's current folder.
  std::error_code unknown;
  const std::string folder = std::filesystem::current_path(unknown).string();
  // Where its files go (an unnamed picture's too); unknown for a relative name in a
  // folder that is gone.
  const auto parsed = parse_device_specification(device_specification);
  std::filesystem::path picture_folder =
      std::filesystem::path(folder) / (parsed ? parsed->file_name : picture_name_);
  picture_folder = picture_folder.is_absolute() ? picture_folder.parent_path() : "";
  owe({PgplotCall::PGBEG,
       drawers_[drawing_],
       pictures_begun_,
       picture_name_,
       picture_folder.string(),
       {}});
  if (drawer.process) {
    if (folder != drawer.folder_sent) {
      FrameEncoder(outgoing_).working_folder(folder);
      drawer.folder_sent = folder;
    }
    send<PgplotCall::PGBEG>(unit, device_specification, nxsub, nysub);
  }
  if (background_ && drawer.process) return 1;
  settle(Until::all);
  return last_result_;
}

void RemotePgplot::PGSLW(int line_width) { send<PgplotCall::PGSLW>(line_width); }

void RemotePgplot::PGSCH(float character_height) { send<PgplotCall::PGSCH>(character_height); }

void RemotePgplot::PGPAGE() { send<PgplotCall::PGPAGE>(); }

void RemotePgplot::PGVSTD() { send<PgplotCall::PGVSTD>(); }

void RemotePgplot::PGSWIN(float x1, float x2, float y1, float y2) {
  send<PgplotCall::PGSWIN>(x1, x2, y1, y2);
}

void RemotePgplot::PGSCR(int colour_index, float red, float green, float blue) {
  send<PgplotCall::PGSCR>(colour_index, red, green, blue);
}

void RemotePgplot::PGBOX(std::string_view xopt, float xtick, int nxsub, std::string_view yopt,
                         float ytick, int nysub) {
  send<PgplotCall::PGBOX>(xopt, xtick, nxsub, yopt, ytick, nysub);
}

void RemotePgplot::PGLAB(std::string_view xlabel, std::string_view ylabel, std::string_view title) {
  send<PgplotCall::PGLAB>(xlabel, ylabel, title);
}

void RemotePgplot::PGSLS(int line_style) { send<PgplotCall::PGSLS>(line_style); }

void RemotePgplot::PGLINE(std::span<const float> x, std::span<const float> y) {
  send<PgplotCall::PGLINE>(x, y);
}

void RemotePgplot::PGPT(std::span<const float> x, std::span<const float> y, int symbol) {
  send<PgplotCall::PGPT>(x, y, symbol);
}

void RemotePgplot::end_picture(std::function<void(bool)> done) {
  // A picture whose program has ended is lost; without a picture, PGEND is still the
  // program's to answer (it says that nothing was open).
  if (!std::exchange(picture_open_, false)) start_process(drawing_);
  owe({PgplotCall::PGEND, drawers_[drawing_], pictures_begun_, picture_name_, {}, std::move(done)});
  send<PgplotCall::PGEND>();
  flush();
}

bool RemotePgplot::PGEND() {
  bool complete = false;
  end_picture([&complete](bool outcome) { complete = outcome; });
  settle(Until::all);
  return complete;
}

void RemotePgplot::end_then(std::function<void(bool complete)> done) {
  end_picture(std::move(done));
  settle(background_ ? Until::arrived : Until::all);
}

void RemotePgplot::finish_in_background(bool on) {
  if (on == background_) return;
  background_ = on;
  if (on) {
    // Started now, the program readies itself while the caller reads its first file.
    start_process(drawing_);
    lines_in_waiting_.emplace([this] { settle(Until::all); });
    for (std::size_t already = 0; already < owed_.size(); ++already) lines_in_waiting_->owe();
  } else {
    settle(Until::all);
    lines_in_waiting_.reset();
  }
}

}  // namespace curvist
