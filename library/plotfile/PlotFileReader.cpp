#include <array>
#include <cstdint>
#include <limits>
#include <new>

#include "array/LargeArrays.hpp"
#include "files/FileText.hpp"
#include "listdirected/FileInput.hpp"
#include "listdirected/Records.hpp"
#include "plotfile/HeaderLines.hpp"
#include "plotfile/PlotFile.hpp"
#include "plotfile/RefusalReasons.hpp"

namespace curvist {
namespace {

// Every point needs a record of its own holding two values, and a line end before the
// captions: at least four bytes ("1 1" and a line feed). A header promising more points
// than that is refused before any storage is asked for.
constexpr std::int64_t fewest_bytes_per_point = 4;

// The header is read twice, under different rules, and both are kept: this first read
// takes the first two integers wherever they stand (both may be on the first line) and
// only asks whether they can be a header (minus the number of curves, then at least two
// points); the real read below takes each number from a line of its own. A file with
// both numbers on one line passes here and then has its second number taken from the
// next line; keeping both rules keeps every file read as before.
Refusable<Passed> header_is_plausible(FileText& file, Reasons reasons) {
  RecordInput input{};
  std::array<std::int32_t, 2> header{};
  const ReadStatus status =
      read_from_file(file, input, [&](RecordInput& in) { return read_integers(in, header); });
  if (!status) {
    return refusal(reasons, [&] {
      return read_fault_reason(file.whole_text(), status, "an integer", header_roles[status.item]);
    });
  }
  if (header[0] >= 0) {
    return refusal(reasons, [&] {
      const std::string_view text = file.whole_text();
      // The first number is the first value of the file.
      RecordInput first{text};
      std::int32_t value = 0;
      const std::size_t position = read_integers(first, std::span(&value, 1)).position;
      return at_line(text, position) + std::to_string(header[0]) + " is not negative (" +
             std::string(header_roles[0]) + ")";
    });
  }
  if (header[1] < 2) {
    return refusal(reasons, [&] {
      return at_line(file.whole_text(), status.position) + counted(header[1], "point") +
             " per curve, at least 2 are needed";
    });
  }
  return Passed{};
}

std::string point_role(std::int64_t index, std::int64_t points, std::size_t item) {
  return std::string(item == 0 ? "" : "the y value of ") + "point " +
         std::to_string(index % points + 1) + " of curve " + std::to_string(index / points + 1);
}

// The steps of reading a data file, on its opened text.
Refusable<PlotFile> read_plot_text(FileText& file, Reasons reasons) {
  if (const auto plausible = header_is_plausible(file, reasons); !plausible)
    return plausible.refusal();
  // Reasons count the lines before a fault: only then is the text looked at whole.
  const auto whole_text = [&] { return file.whole_text(); };

  RecordInput input{};
  const auto read_header = read_header_lines(file, input, reasons);
  if (!read_header) return read_header.refusal();
  const HeaderNumbers& header = *read_header;
  // A negative extent gives an empty array, as an allocation of it does in Fortran.
  const std::int64_t curves = std::max<std::int64_t>(0, -std::int64_t(header[0]));
  const std::int64_t points = std::max<std::int64_t>(0, header[1]);
  if (curves > std::numeric_limits<int>::max())
    return refusal(reasons,
                   [&] { return counted(curves, "curve") + " are more than a plot holds"; });
  const std::int64_t point_count = curves * points;  // both below 2^31: no overflow
  if (point_count > std::int64_t(file.size()) / fewest_bytes_per_point) {
    return refusal(reasons, [&] {
      return header_promise(header[0], header[1]) + ", more than a file of " +
             counted(std::int64_t(file.size()), "byte") + " holds";
    });
  }

  PlotFile plot;
  plot.curves = int(curves);
  plot.points = int(points);
  try {
    // Room only: every value is written once as it is read, never cleared first.
    plot.x.reserve(std::size_t(point_count));
    plot.y.reserve(std::size_t(point_count));
    ask_for_huge_pages(plot.x.data(), plot.x.capacity() * sizeof(double));
    ask_for_huge_pages(plot.y.data(), plot.y.capacity() * sizeof(double));
  } catch (const std::bad_alloc&) {
    return refusal(reasons, [&] {
      return header_promise(header[0], header[1]) + ", more than the memory holds";
    });
  }
  for (std::int64_t index = 0; index < point_count; ++index) {
    std::array<double, 2> point;
    const ReadStatus status =
        read_from_file(file, input, [&](RecordInput& in) { return read_reals(in, point); });
    if (!status) {
      return refusal(reasons, [&] {
        // The line says which value is at fault; at the end of the file, the point does.
        const bool at_end = status.fault == ReadFault::end_of_file;
        return read_fault_reason(whole_text(), status, "a number",
                                 at_end ? point_role(index, points, status.item) : "");
      });
    }
    plot.x.push_back(point[0]);
    plot.y.push_back(point[1]);
    // The text read is not needed again: only a window of it stays in memory.
    if (index % 4096 == 0) file.release_before(input.position);
  }
  const std::array captions = {&plot.x_caption, &plot.y_caption, &plot.title};
  for (std::size_t caption = 0; caption < captions.size(); ++caption) {
    const auto record = read_from_file(file, input, read_record);
    if (!record)
      return refusal(reasons, [&] { return early_end(whole_text(), caption_roles[caption]); });
    captions[caption]->assign(*record);
  }
  // Another program cut the file short while it was read: what was read is not the file.
  if (file.cut_short()) return refusal(reasons, [] { return cut_short_reason; });
  return plot;
}

}  // namespace

Refusable<PlotFile> read_plot_file(std::string_view name, Reasons reasons) {
  auto file = FileText::open(without_trailing_blanks(name));
  if (!file) return refusal(reasons, [&] { return file.why_not(); });
  return read_plot_file(*file, reasons);
}

Refusable<PlotFile> read_plot_file(FileText& file, Reasons reasons) {
  Refusable<PlotFile> plot = read_plot_text(file, reasons);
  // The text ended early at a line far too long for a data file: that is the reason.
  if (!plot && file.overlong_line()) {
    return refusal(reasons, [&] {
      return overlong_line_reason(line_number_at(file.whole_text(), *file.overlong_line()));
    });
  }
  return plot;
}

}  // namespace curvist
