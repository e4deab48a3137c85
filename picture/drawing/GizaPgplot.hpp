#pragma once
// PGPLOT over giza: the calls go to giza's PGPLOT interface, with what giza does not do
// the way PGPLOT does added here (device types, GIF pictures, texts, line styles, the
// background of palette devices) and every picture written whole or not at all: one that
// giza or cairo could not draw completely is reported and never put in place. Lines reach
// giza in the points their device can show apart.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "axes/ScaledAxis.hpp"
#include "devices/DeviceTable.hpp"
#include "devices/PictureFile.hpp"
#include "drawing/GizaMessages.hpp"
#include "lines/ReducedLine.hpp"
#include "pgplot/PgplotInterface.hpp"

namespace curvist {

class GizaPgplot final : public Pgplot {
 public:
  // Pictures are drawn from the points the device can show apart; only a test that
  // compares them with the pictures of every point switches that off. What the user is
  // to read about a picture that cannot be written goes to `reports`; what giza writes
  // on standard error is caught as `capture` says.
  explicit GizaPgplot(bool reduce_lines = true, std::ostream& reports = std::cerr,
                      GizaErrorCapture capture = GizaErrorCapture::per_call)
      : reports_(reports), messages_(capture), reduce_lines_(reduce_lines) {}
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
    std::optional<std::string> failure{};  // why the picture cannot be completed
  };

  // Runs a giza call on the open picture; nothing when none is open or it has failed.
  template <typename Call>
  void on_picture(Call&& call);
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
  bool failure_reported_ = false;           // the last PGBEG failed and said why
  bool reduce_lines_;                       // hand giza only the points the device can show apart
  SolidPieces pieces_;                      // what a polyline is drawn as, reused from line to line
  std::vector<float> scaled_x_, scaled_y_;  // points of a scaled window, reused likewise
};

}  // namespace curvist
