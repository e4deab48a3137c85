// Fuzzes the data-file reader over a real file: a file it reads gives arrays of exactly
// K by N points, each point from a line of its own.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.hpp"
#include "listdirected/Records.hpp"
#include "plotfile/PlotFile.hpp"

using namespace curvist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::ScratchFile scratch;
  const std::string_view text = fuzzing::as_text(data, size);
  const auto file = read_plot_file(scratch.write(text));
  // Asking why changes nothing but the words: a refused file has a reason, with a line
  // of the file where it names one.
  const auto explained = read_plot_file(scratch.write(text), Reasons::asked);
  const std::string& why_not = explained.why_not();
  if (bool(explained) != bool(file)) fuzzing::broken("asking why does not change the reading");
  if (bool(file) == !why_not.empty()) fuzzing::broken("a refused file, and only it, has a reason");
  if (why_not.starts_with("line ") &&
      std::stoll(why_not.substr(5)) > std::max<std::int64_t>(1, count_records(text)))
    fuzzing::broken("a reason names a line of the file");
  if (!file) return 0;
  const auto same_bits = [](const std::vector<double>& a, const std::vector<double>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](double left, double right) {
      return std::bit_cast<std::uint64_t>(left) == std::bit_cast<std::uint64_t>(right);
    });
  };
  if (!same_bits(explained->x, file->x) || !same_bits(explained->y, file->y))
    fuzzing::broken("asking why reads the same points");
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
