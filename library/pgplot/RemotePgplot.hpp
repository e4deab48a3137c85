#pragma once
// PGPLOT whose pictures are drawn by curvist-picture, a process of our own, so that giza
// (not thread-safe, with global state and chatter on standard error) never runs in the
// caller's process. The calls go over as frames (PictureStream); PGBEG and PGEND wait for
// their answers, unless pictures are finished in the background. The program is started
// on first use and again after it ended; a picture it could not finish because it ended
// gets one error line, like any other picture that cannot be written. A program that
// answers what no program of ours would (a broken installation, another version) is
// ended, and its pictures fail the same way.
//
// In the background, a picture begun while the program still has two or more pictures to
// finish goes to a second program, started then: two pictures are drawn at once, each by
// a process of its own, and their lines still come in the order the pictures were begun.

#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/ErrorStream.hpp"
#include "console/LinesInWaiting.hpp"
#include "pgplot/PgplotInterface.hpp"
#include "pgplot/PictureProcess.hpp"
#include "pgplot/PictureStream.hpp"

namespace curvist {

class RemotePgplot final : public Pgplot {
 public:
  // `errors`: where the lines of pictures that cannot be written go.
  explicit RemotePgplot(ErrorStream& errors = standard_error()) : errors_(errors) {}
  ~RemotePgplot() override;
  RemotePgplot(const RemotePgplot&) = delete;
  RemotePgplot& operator=(const RemotePgplot&) = delete;

  int PGBEG(int unit, std::string_view device_specification, int nxsub, int nysub) override;
  void PGSLW(int line_width) override;
  void PGSCH(float character_height) override;
  void PGPAGE() override;
  void PGVSTD() override;
  void PGSWIN(float x1, float x2, float y1, float y2) override;
  void PGSCR(int colour_index, float red, float green, float blue) override;
  void PGBOX(std::string_view xopt, float xtick, int nxsub, std::string_view yopt, float ytick,
             int nysub) override;
  void PGLAB(std::string_view xlabel, std::string_view ylabel, std::string_view title) override;
  void PGSLS(int line_style) override;
  void PGLINE(std::span<const float> x, std::span<const float> y) override;
  void PGPT(std::span<const float> x, std::span<const float> y, int symbol) override;
  bool PGEND() override;
  void end_then(std::function<void(bool complete)> done) override;
  void finish_in_background(bool on) override;
  std::string why_last_incomplete() const override { return why_last_incomplete_; }

  // The program drawing the picture begun last; none before the first call or after it
  // ended.
  const PictureProcess* process() const { return drawers_[drawing_]->process.get(); }

 private:
  // One program drawing pictures, and what goes on between it and us. A program that
  // ended keeps this until what it owed has been given out; one started in its place
  // gets its own.
  struct Drawer {
    std::unique_ptr<PictureProcess> process;
    std::deque<PictureAnswer> received;  // answers taken in while sending
    std::vector<float> incoming;         // the frame being received
    std::string folder_sent;             // the working folder it has
    bool misbehaved = false;             // it sent what no program of ours sends
    std::string loss;                    // why it ended early

    // What it sent that no program of ours sends: it is ended for that.
    void misbehaves(std::string_view what);
  };
  // A call whose answer has not been taken yet.
  struct Owed {
    PgplotCall call;                 // PGBEG or PGEND
    std::shared_ptr<Drawer> drawer;  // the program that owes it
    std::size_t picture;             // the number of its picture, from 1
    std::string picture_name;        // for a report of our own
    std::string picture_folder;      // PGBEG's: where the picture's files go, absolute
    std::function<void(bool)> done;  // PGEND's, once its outcome is known
  };
  enum class Until { arrived, all };

  // The program in `slot`, started unless it is running.
  Drawer& start_process(std::size_t slot);
  // The program a picture begun now goes to.
  std::size_t drawer_for_new_picture() const;
  // The pictures the program in `slot` has been sent and not yet answered the end of.
  std::size_t pictures_owed_by(std::size_t slot) const;
  // Sends a call, with the values its parameters take, to the program drawing the picture.
  template <PgplotCall call, typename... Values>
  void send(const Values&... values);
  template <PgplotCall call, typename... Values>
  void send_points(std::span<const float> x, std::span<const float> y, const Values&... values);
  void flush();
  void end_picture(std::function<void(bool)> done);
  // An answer to take later; in the background, its lines are owed.
  void owe(Owed owed);
  // Takes the answers owed, in order: those that have arrived, or all of them.
  void settle(Until until);
  // The answer to `owed` from the program that owes it; nothing once that program has
  // ended, or when it answers what no program of ours would (it is then ended).
  std::optional<PictureAnswer> next_answer(const Owed& owed);
  // The next answer that comes from the drawer's program; nothing at the end of its
  // stream, or when what came is no answer (its misbehaviour).
  static std::optional<PictureAnswer> receive_answer(Drawer& drawer);
  // While a send waits for room: an answer that has come meanwhile is taken in.
  static void take_waiting_answer(void* drawer);
  // Gives the answer (or, without one, the loss of the program) to what was owed.
  void resolve(const Owed& owed, const std::optional<PictureAnswer>& answer);
  // The program has ended, or is of no more use: nothing more goes to it, and the
  // answers it still owed are lost.
  void end_process(Drawer& drawer);
  // Writes the error lines that an answer brought, or a report of our own,
  // and keeps them as what explains the picture they belong to.
  void explain(std::string_view lines);
  void report(const std::string& picture_name, const std::string& reason);

  ErrorStream& errors_;
  // The second one only for pictures in the background.
  std::array<std::shared_ptr<Drawer>, 2> drawers_{std::make_shared<Drawer>(),
                                                  std::make_shared<Drawer>()};
  std::size_t drawing_ = 0;     // the drawer of the picture begun last
  std::vector<char> outgoing_;  // frames not sent yet, to drawers_[drawing_]
  std::deque<Owed> owed_;
  std::size_t pictures_begun_ = 0;
  std::size_t failure_reported_for_ = 0;           // the last picture already reported as failed
  std::string picture_name_;                       // of the picture begun last
  bool picture_open_ = false;                      // from its PGBEG to its PGEND
  std::map<std::size_t, std::string> drawn_into_;  // a picture's file while it is drawn
  int last_result_ = 0;                            // of the call resolved last
  std::string explained_;                          // the error lines of the picture resolved last
  std::string why_last_incomplete_;                // of the last picture resolved as not complete
  bool background_ = false;
  bool settling_ = false;  // outcomes are being given out
  std::optional<LinesInWaiting> lines_in_waiting_;
};

}  // namespace curvist
