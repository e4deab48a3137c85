#include "Plot.hpp"

// PLACEHOLDER: replaced by the screen plotter.
namespace curvist::PLOTPACK {
void PURGE(std::span<char>) {}
void PREPARESCREEN(double&, double&, double&, double&, bool, bool, bool, int, TextField120&,
                   TextField120&, TextField120&, bool, bool) {}
void KILLSCREEN(bool) {}
void PLOTDP(ColumnMajorView<const double>, ColumnMajorView<const double>,
            const ScreenPlotOptions&) {}
void PLOTSP(ColumnMajorView<const float>, ColumnMajorView<const float>, const ScreenPlotOptions&) {}
void PLOTLISTDP(std::span<const double>, std::span<const double>, const ScreenListPlotOptions&) {}
void PLOTLISTSP(std::span<const float>, std::span<const float>, const ScreenListPlotOptions&) {}
int window_counter() { return 100; }
void reset_window_counter() {}
}  // namespace curvist::PLOTPACK
