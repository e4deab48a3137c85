#pragma once
// Module LOADPLOTPACK: reads one data file and draws its curves, on screen and then
// into a picture file named after it.

#include <optional>
#include <string>
#include <string_view>

#include <curvist/Export.hpp>

namespace curvist::LOADPLOTPACK {

// name: the data-file name (trailing blanks are not significant). DEVICE: the PGPLOT
// device type of the picture, "ps" when absent. Every problem ends the call silently.
// why_not_read, when given, receives why the file could not be read (the first reason,
// with the line where there is one), or why its curves give no plot (an axis without a
// finite range; "no picture: ..." when only the picture is skipped), or nothing when the
// file is plotted: for a caller that tells its user. The call draws and writes the same
// either way.
CURVIST_EXPORT void LOADPLOT(std::string_view name,
                             std::optional<std::string_view> DEVICE = std::nullopt,
                             std::string* why_not_read = nullptr);

}  // namespace curvist::LOADPLOTPACK
