#pragma once
// The PGPLOT calls the file plotter makes, as an interface: the library over giza draws
// real pictures, the recorder writes them as trace lines. Each call is in the list of
// PgplotCalls.hpp too, which numbers them for the frames and names them for the traces.

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace curvist {

class Pgplot {
 public:
  virtual ~Pgplot() = default;

  // Opens the device "FILE/TYPE"; PGPLOT's status: 1 when the device opened.
  virtual int PGBEG(int unit, std::string_view device_specification, int nxsub, int nysub) = 0;
  virtual void PGSLW(int line_width) = 0;
  virtual void PGSCH(float character_height) = 0;
  virtual void PGPAGE() = 0;
  virtual void PGVSTD() = 0;
  virtual void PGSWIN(float x1, float x2, float y1, float y2) = 0;
  virtual void PGSCR(int colour_index, float red, float green, float blue) = 0;
  virtual void PGBOX(std::string_view xopt, float xtick, int nxsub, std::string_view yopt,
                     float ytick, int nysub) = 0;
  virtual void PGLAB(std::string_view xlabel, std::string_view ylabel, std::string_view title) = 0;
  virtual void PGSLS(int line_style) = 0;
  // The points (x[i], y[i]); x and y have the same size, the point count.
  virtual void PGLINE(std::span<const float> x, std::span<const float> y) = 0;
  virtual void PGPT(std::span<const float> x, std::span<const float> y, int symbol) = 0;
  // Ends all output; true when the picture is complete on disk under its name. A false
  // result has already been explained to the user on standard error.
  virtual bool PGEND() = 0;

  // Ends all output as PGEND does, and hands `done` its result: at once, or, while
  // pictures are finished in the background, once the picture is finished; either way
  // before any later console or error line is written (console/LinesInWaiting.hpp).
  virtual void end_then(std::function<void(bool complete)> done) { done(PGEND()); }

  // Why the picture that ended last was not complete, as standard error was told, in
  // one line; empty where nothing said why.
  virtual std::string why_last_incomplete() const { return {}; }

  // From now on (true) a picture may be finished in the background while its caller goes
  // on, or (false) each is finished before PGEND returns: then this waits for those still
  // being finished. Where pictures are drawn in this process, there is no background.
  virtual void finish_in_background(bool) {}
};

}  // namespace curvist
