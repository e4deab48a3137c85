#pragma once
// Module LOADPLOTPACK: reads one data file and draws its curves, on screen and then
// into a picture file named after it.

#include <optional>
#include <string_view>

#include <curvist/Export.hpp>

namespace curvist::LOADPLOTPACK {

// name: the data-file name (trailing blanks are not significant). DEVICE: the PGPLOT
// device type of the picture, "ps" when absent. Every problem ends the call silently.
CURVIST_EXPORT void LOADPLOT(std::string_view name,
                             std::optional<std::string_view> DEVICE = std::nullopt);

}  // namespace curvist::LOADPLOTPACK
