#pragma once
// PGPLOT over giza: the calls go to giza's PGPLOT interface, with what giza does not do
// the way PGPLOT does added here (device types, GIF pictures, texts, line styles, the
// background of palette devices) and every picture written whole or not at all: one that
// giza or cairo could not draw completely is reported and never put in place. Lines reach
// giza in the points their device can show apart.

#include <array>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "array/LargeArrays.hpp"
#include "axes/ScaledAxis.hpp"
#include "devices/DeviceTable.hpp"
#include "devices/PictureFile.hpp"
#include "drawing/DrawingQueue.hpp"
#include "drawing/GizaMessages.hpp"
#include "lines/GizaReducedLine.hpp"
#include "pgplot/PgplotInterface.hpp"

namespace curvist {

// Where giza draws the lines: during the call, or on a thread of their own while the
// calls after them go on; long lines are laid out there as well when it is free, so that
// two lines are laid out at once. The latter is for a process whose standard error is giza's
// alone, as curvist-picture's is.
enum class GizaLines { drawn_in_the_call, drawn_in_background };

class GizaPgplot final : public Pgplot {
 public:
  // Pictures are drawn from the points the device can show apart; only a test that
  // compares them with the pictures of every point switches that off. What the user is
  // to read about a picture that cannot be written goes to `reports`; what giza writes
  // on standard error is caught as `capture` says.
  explicit GizaPgplot(bool reduce_lines = true, std::ostream& reports = std::cerr,
                      GizaErrorCapture capture = GizaErrorCapture::per_call,
                      GizaLines lines = GizaLines::drawn_in_the_call);
  ~GizaPgplot() override;

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

  // The file the open picture is being drawn into, until it is put in place; empty when
  // no picture is open.
  std::string drawing_path() const;

 private:
  struct WorldWindow {
    float x1 = 0, x2 = 1, y1 = 0, y2 = 1;
  };
  struct OpenPicture {
    const DeviceKind* device;
    std::string target;                      // the name the picture appears under
    std::unique_ptr<TemporaryFile> drawing;  // what giza writes
    bool drawn_on_page = false;              // anything but the background since the page began
    int line_style = 1;                      // PGPLOT's number of the current style
    WorldWindow window{};                    // as PGSWIN set it
    AxisScale x_scale{}, y_scale{};          // how the window reaches giza
    // The page's width over its height when it is taller than wide (vps, vpdf, vgif, ...);
    // 1 for a landscape page.
    double portrait_width = 1;
    std::size_t long_lines = 0;            // lines long enough to be laid out in the background
    std::optional<std::string> failure{};  // why the picture cannot be completed
  };

  // Runs a giza call on the open picture; nothing when none is open or it has failed. The
  // call may change what lines are laid out for.
  template <typename Call>
  void on_picture(Call&& call);
  // The same for a call that leaves it as it is, once the lines before have been drawn.
  template <typename Call>
  void on_picture_as_it_is(Call&& call);
  // Queues a giza call on the open picture after the lines before, when lines are drawn in
  // the background (else runs it at once); the job's ticket, 0 when there is none.
  DrawingQueue::Ticket in_line_order(std::function<void()> call);
  // Returns once giza has drawn every line handed to it.
  void catch_up();
  // Fails the open picture for `reason`, unless it has failed already: nothing more is
  // drawn into it, and PGEND reports the first reason.
  void fail(std::string reason);
  // After text was drawn: a picture whose drawing giza or cairo gave up is failed at once.
  void check_drawing();
  void report(std::string_view file_name, std::string_view reason) const;
  // The points of a curve as giza is to have them: `x` and `y`, or their copies at the
  // scale of a scaled window.
  std::pair<std::span<const float>, std::span<const float>> giza_points(std::span<const float> x,
                                                                        std::span<const float> y);
  std::optional<std::string> finish(OpenPicture& picture);

  std::ostream& reports_;
  GizaMessages messages_;
  std::optional<OpenPicture> picture_;
  bool failure_reported_ = false;  // the last PGBEG failed and said why
  bool reduce_lines_;              // hand giza only the points the device can show apart
  // What lines are laid out for in the open picture, until a call may have changed it.
  std::optional<GizaLineGeometry> line_geometry_;
  // Polylines on their way to giza: one laid out here, one in the background, one drawn
  // meanwhile. A line laid out in the background brings a copy of its points, which are
  // the caller's.
  struct LineOnItsWay {
    std::vector<float, LargeArrayAllocator<float>> x, y;
    SolidPieces pieces;
    DrawingQueue::Ticket drawn_by = 0;  // the job that draws it
  };
  std::array<LineOnItsWay, 3> lines_;
  std::size_t next_line_ = 0;
  DrawingQueue::Ticket laid_out_in_background_ = 0;  // the last line laid out there
  std::vector<float> scaled_x_, scaled_y_;           // points of a scaled window, reused
  std::optional<DrawingQueue> background_;  // draws the lines when they are drawn in background
};

}  // namespace curvist
