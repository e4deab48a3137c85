#pragma once
// Records every PGPLOT call as a trace line and draws nothing: PGBEG succeeds, PGEND
// reports a complete picture.

#include <ostream>

#include "pgplot/PgplotInterface.hpp"

namespace curvist {

class RecordingPgplot final : public Pgplot {
 public:
  explicit RecordingPgplot(std::ostream& trace) : trace_(trace) {}

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

 private:
  std::ostream& trace_;
};

}  // namespace curvist
