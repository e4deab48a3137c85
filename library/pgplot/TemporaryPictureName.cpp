#include "pgplot/TemporaryPictureName.hpp"

#include <algorithm>
#include <cctype>

namespace curvist {
namespace {

constexpr std::string_view prefix = ".curvist-";
constexpr std::string_view unique_part = "XXXXXX";

bool is_alphanumeric(char character) {
  return std::isalnum(static_cast<unsigned char>(character)) != 0;
}

}  // namespace

std::string temporary_picture_pattern(std::string_view folder, std::string_view extension) {
  return std::string(folder).append(prefix).append(unique_part).append(extension);
}

bool is_temporary_picture_in(const std::filesystem::path& path,
                             const std::filesystem::path& folder) {
  const std::filesystem::path normal = path.lexically_normal();
  if (!path.is_absolute() || normal.parent_path() != folder.lexically_normal()) return false;
  const std::string name = normal.filename().string();
  if (!name.starts_with(prefix) || name.size() < prefix.size() + unique_part.size() + 2)
    return false;
  const std::string_view unique = std::string_view(name).substr(prefix.size(), unique_part.size());
  const std::string_view extension = std::string_view(name).substr(prefix.size() + unique.size());
  return std::all_of(unique.begin(), unique.end(), is_alphanumeric) && extension[0] == '.' &&
         std::all_of(extension.begin() + 1, extension.end(), is_alphanumeric);
}

}  // namespace curvist
