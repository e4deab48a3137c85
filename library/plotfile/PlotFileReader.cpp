#include <array>
#include <cstdint>
#include <limits>
#include <new>

#include "files/MappedFile.hpp"
#include "listdirected/ListDirectedInput.hpp"
#include "plotfile/PlotFile.hpp"

namespace curvist {
namespace {

// Every point needs a record of its own holding two values, and a line end before the
// captions: at least four bytes ("1 1" and a line feed). A header promising more points
// than that is refused before any storage is asked for.
constexpr std::int64_t fewest_bytes_per_point = 4;

// The header is read twice, under different rules, and both are kept: this first read
// takes the first two integers wherever they stand (both may be on the first line) and
// only asks whether they can be a header; the real read below takes each number from a
// line of its own. A file with both numbers on one line passes here and then has its
// second number taken from the next line; keeping both rules keeps every file read as
// before.
bool header_is_plausible(std::string_view content) {
  RecordInput input{content};
  std::array<std::int32_t, 2> header{};
  if (!read_integers(input, header)) return false;
  return header[0] < 0 && header[1] > 1;
}

}  // namespace

std::optional<PlotFile> read_plot_file(std::string_view name) {
  auto mapped = MappedFile::open(without_trailing_blanks(name));
  if (!mapped || !header_is_plausible(mapped->text())) return std::nullopt;

  RecordInput input{mapped->text()};
  const auto first = read_integer(input);
  if (!first) return std::nullopt;
  const auto second = read_integer(input);
  if (!second) return std::nullopt;
  // A negative extent gives an empty array, as an allocation of it does in Fortran.
  const std::int64_t curves = std::max<std::int64_t>(0, -std::int64_t(*first));
  const std::int64_t points = std::max<std::int64_t>(0, *second);
  if (curves > std::numeric_limits<int>::max()) return std::nullopt;
  const std::int64_t point_count = curves * points;  // both below 2^31: no overflow
  if (point_count > std::int64_t(input.text.size()) / fewest_bytes_per_point) return std::nullopt;

  PlotFile file;
  file.curves = int(curves);
  file.points = int(points);
  try {
    file.x.resize(std::size_t(point_count));
    file.y.resize(std::size_t(point_count));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  for (std::int64_t index = 0; index < point_count; ++index) {
    std::array<double, 2> point;
    if (!read_reals(input, point)) return std::nullopt;
    file.x[std::size_t(index)] = point[0];
    file.y[std::size_t(index)] = point[1];
    // The text read is not needed again: only a window of it stays in memory.
    if (index % 4096 == 0) mapped->release_before(input.position);
  }
  for (TextField<100>* caption : {&file.x_caption, &file.y_caption, &file.title}) {
    const auto record = read_record(input);
    if (!record) return std::nullopt;
    caption->assign(*record);
  }
  // Another program cut the file short while it was read: what was read is not the file.
  if (mapped->cut_short()) return std::nullopt;
  return file;
}

}  // namespace curvist
