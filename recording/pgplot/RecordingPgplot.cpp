#include "pgplot/RecordingPgplot.hpp"

#include "trace/TraceLine.hpp"

namespace curvist {
namespace {

TraceLine& append_points(TraceLine& line, std::span<const float> x, std::span<const float> y) {
  for (std::size_t i = 0; i < x.size(); ++i) line.number(x[i]).number(y[i]);
  return line;
}

int point_count(std::span<const float> x) { return static_cast<int>(x.size()); }

}  // namespace

int RecordingPgplot::PGBEG(int unit, std::string_view device_specification, int nxsub, int nysub) {
  TraceLine("PGBEG")
      .number(unit)
      .quoted(device_specification)
      .number(nxsub)
      .number(nysub)
      .write_to(trace_);
  return 1;
}

void RecordingPgplot::PGSLW(int line_width) {
  TraceLine("PGSLW").number(line_width).write_to(trace_);
}

void RecordingPgplot::PGSCH(float character_height) {
  TraceLine("PGSCH").number(character_height).write_to(trace_);
}

void RecordingPgplot::PGPAGE() { TraceLine("PGPAGE").write_to(trace_); }

void RecordingPgplot::PGVSTD() { TraceLine("PGVSTD").write_to(trace_); }

void RecordingPgplot::PGSWIN(float x1, float x2, float y1, float y2) {
  TraceLine("PGSWIN").number(x1).number(x2).number(y1).number(y2).write_to(trace_);
}

void RecordingPgplot::PGSCR(int colour_index, float red, float green, float blue) {
  TraceLine("PGSCR").number(colour_index).number(red).number(green).number(blue).write_to(trace_);
}

void RecordingPgplot::PGBOX(std::string_view xopt, float xtick, int nxsub, std::string_view yopt,
                            float ytick, int nysub) {
  TraceLine("PGBOX")
      .quoted(xopt)
      .number(xtick)
      .number(nxsub)
      .quoted(yopt)
      .number(ytick)
      .number(nysub)
      .write_to(trace_);
}

void RecordingPgplot::PGLAB(std::string_view xlabel, std::string_view ylabel,
                            std::string_view title) {
  TraceLine("PGLAB").quoted(xlabel).quoted(ylabel).quoted(title).write_to(trace_);
}

void RecordingPgplot::PGSLS(int line_style) {
  TraceLine("PGSLS").number(line_style).write_to(trace_);
}

void RecordingPgplot::PGLINE(std::span<const float> x, std::span<const float> y) {
  TraceLine line("PGLINE");
  line.number(point_count(x));
  append_points(line, x, y).write_to(trace_);
}

void RecordingPgplot::PGPT(std::span<const float> x, std::span<const float> y, int symbol) {
  TraceLine line("PGPT");
  line.number(point_count(x)).number(symbol);
  append_points(line, x, y).write_to(trace_);
}

bool RecordingPgplot::PGEND() {
  TraceLine("PGEND").write_to(trace_);
  return true;
}

}  // namespace curvist
