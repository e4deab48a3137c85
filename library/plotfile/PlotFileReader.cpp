#include "plotfile/PlotFile.hpp"

// PLACEHOLDER: replaced by the reader.
namespace curvist {
std::optional<PlotFile> read_plot_file(std::string_view) { return std::nullopt; }
}  // namespace curvist
