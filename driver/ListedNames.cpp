#include "ListedNames.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ListFile.hpp"
#include "files/RegularFile.hpp"
#include "listdirected/Records.hpp"

namespace curvist {

std::optional<std::vector<std::string>> read_listed_names(std::string& reason) {
  const auto content = read_regular_file(list_file_name);
  if (!content) {
    reason = why_no_regular_file(list_file_name);
    if (reason.empty()) reason = std::strerror(errno);
    return std::nullopt;
  }
  std::vector<std::string> names;
  RecordInput list{*content};
  while (const auto name = read_next_name(list)) names.push_back(*name);
  return names;
}

std::optional<FolderEntry> folder_entry_of(std::string_view listed_name) {
  const std::filesystem::path path(listed_name);
  const std::string entry = path.filename().string();
  if (entry.empty() || entry == "." || entry == "..") return std::nullopt;
  const std::string folder = path.parent_path().string();
  return FolderEntry{folder.empty() ? "." : folder, entry};
}

}  // namespace curvist
