#include "LoadPlot.hpp"

// PLACEHOLDER: replaced by the reader.
namespace curvist::LOADPLOTPACK {
void LOADPLOT(std::string_view, std::optional<std::string_view>) {}
}  // namespace curvist::LOADPLOTPACK
