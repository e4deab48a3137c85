// Fuzzes the data-file reader over a real file: a file it reads gives arrays of exactly
// K by N points, each point from a line of its own.
#include <cstdint>

#include "FuzzInput.hpp"
#include "plotfile/PlotFile.hpp"

using namespace curvist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::ScratchFile scratch;
  const auto file = read_plot_file(scratch.write(fuzzing::as_text(data, size)));
  if (!file) return 0;
  // The plausibility read may take both header numbers from the first line while N comes
  // from the line after it: N may then be anything, K is still at least 1.
  if (file->curves < 1 || file->points < 0) fuzzing::broken("a read file has K >= 1, N >= 0");
  const auto point_count = std::size_t(file->curves) * std::size_t(file->points);
  if (file->x.size() != point_count || file->y.size() != point_count)
    fuzzing::broken("the arrays hold K times N points");
  if (point_count > size) fuzzing::broken("every point came from a line of the file");
  if (point_count > 0) {
    const auto view = file->x_view();
    (void)view(std::size_t(file->points) - 1, std::size_t(file->curves) - 1);
  }
  return 0;
}
