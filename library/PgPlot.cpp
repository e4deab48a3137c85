#include "PgPlot.hpp"

// PLACEHOLDER: replaced by the file plotter.
namespace curvist::PGPLOTPACK {
void PREPARESCREEN(float, float, float, float, bool, bool, bool, const TextField80&,
                   const TextField80&, const TextField80&, const TextField80&, const TextField80&) {
}
void KILLSCREEN(std::string_view) {}
void PGPLOTDP(ColumnMajorView<const double>, ColumnMajorView<const double>,
              const FilePlotOptions&) {}
void PGPLOTSP(ColumnMajorView<const float>, ColumnMajorView<const float>, const FilePlotOptions&) {}
void PGPLOTLISTDP(std::span<const double>, std::span<const double>, const FileListPlotOptions&) {}
void PGPLOTLISTSP(std::span<const float>, std::span<const float>, const FileListPlotOptions&) {}
}  // namespace curvist::PGPLOTPACK
