#include "pgplot/RecordingPgplot.hpp"

#include <algorithm>
#include <type_traits>

#include "pgplot/PgplotCalls.hpp"
#include "trace/TraceLine.hpp"

namespace curvist {
namespace {

void add(TraceLine& line, int value) { line.number(value); }
void add(TraceLine& line, float value) { line.number(value); }
void add(TraceLine& line, std::string_view text) { line.quoted(text); }

template <typename Result, typename... Parameters>
void add_values(TraceLine& line, Result (Pgplot::*)(Parameters...),
                std::type_identity_t<Parameters>... values) {
  (add(line, values), ...);
}

// The point count, the call's other values, then the points, x y after x y.
template <typename Result, typename... Others>
void add_values_with_points(
    TraceLine& line, Result (Pgplot::*)(std::span<const float>, std::span<const float>, Others...),
    std::span<const float> x, std::span<const float> y, std::type_identity_t<Others>... others) {
  const std::size_t count = std::min(x.size(), y.size());
  add(line, static_cast<int>(count));
  (add(line, others), ...);
  for (std::size_t i = 0; i < count; ++i) line.number(x[i]).number(y[i]);
}

// Writes the call's trace line, its name and its values; a call answered succeeds:
// PGBEG's status is 1, PGEND's picture complete.
template <PgplotCall call, typename... Values>
PgplotCallResult<call> record(std::ostream& trace, const Values&... values) {
  TraceLine line(PgplotCallEntry<call>::name);
  if constexpr (pgplot_call_has_points<call>)
    add_values_with_points(line, PgplotCallEntry<call>::function, values...);
  else
    add_values(line, PgplotCallEntry<call>::function, values...);
  line.write_to(trace);
  if constexpr (pgplot_call_answered<call>) return PgplotCallResult<call>(1);
}

}  // namespace

int RecordingPgplot::PGBEG(int unit, std::string_view device_specification, int nxsub, int nysub) {
  return record<PgplotCall::PGBEG>(trace_, unit, device_specification, nxsub, nysub);
}

void RecordingPgplot::PGSLW(int line_width) { record<PgplotCall::PGSLW>(trace_, line_width); }

void RecordingPgplot::PGSCH(float character_height) {
  record<PgplotCall::PGSCH>(trace_, character_height);
}

void RecordingPgplot::PGPAGE() { record<PgplotCall::PGPAGE>(trace_); }

void RecordingPgplot::PGVSTD() { record<PgplotCall::PGVSTD>(trace_); }

void RecordingPgplot::PGSWIN(float x1, float x2, float y1, float y2) {
  record<PgplotCall::PGSWIN>(trace_, x1, x2, y1, y2);
}

void RecordingPgplot::PGSCR(int colour_index, float red, float green, float blue) {
  record<PgplotCall::PGSCR>(trace_, colour_index, red, green, blue);
}

void RecordingPgplot::PGBOX(std::string_view xopt, float xtick, int nxsub, std::string_view yopt,
                            float ytick, int nysub) {
  record<PgplotCall::PGBOX>(trace_, xopt, xtick, nxsub, yopt, ytick, nysub);
}

void RecordingPgplot::PGLAB(std::string_view xlabel, std::string_view ylabel,
                            std::string_view title) {
  record<PgplotCall::PGLAB>(trace_, xlabel, ylabel, title);
}

void RecordingPgplot::PGSLS(int line_style) { record<PgplotCall::PGSLS>(trace_, line_style); }

void RecordingPgplot::PGLINE(std::span<const float> x, std::span<const float> y) {
  record<PgplotCall::PGLINE>(trace_, x, y);
}

void RecordingPgplot::PGPT(std::span<const float> x, std::span<const float> y, int symbol) {
  record<PgplotCall::PGPT>(trace_, x, y, symbol);
}

bool RecordingPgplot::PGEND() { return record<PgplotCall::PGEND>(trace_); }

}  // namespace curvist
