#pragma once
// The name of a picture in the making: hidden, beside the picture, ".curvist-" and six
// characters that make it unique, then the extension giza writes. Both the program that
// draws the picture and its caller know it, so that the caller removes the file of a
// drawing that stopped midway only when it is such a name in the picture's folder.

#include <filesystem>
#include <string>
#include <string_view>

namespace curvist {

// mkstemps' pattern for a picture drawn in `folder` (empty, or ending in '/').
std::string temporary_picture_pattern(std::string_view folder, std::string_view extension);

// Whether `path` names a picture in the making in `folder` (both absolute).
bool is_temporary_picture_in(const std::filesystem::path& path,
                             const std::filesystem::path& folder);

}  // namespace curvist
