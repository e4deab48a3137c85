#pragma once
// The names a hand-written list file holds, and where the file of each name is to be
// watched for changes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace curvist {

// The names of the list file Curvist.par, read as the run reads them, in list order,
// each without its trailing blanks. Nothing, with the reason, when it cannot be read.
std::optional<std::vector<std::string>> read_listed_names(std::string& reason);

// A listed file as a folder sees it: the folder (the current one for a bare name) and
// the name of its entry there.
struct FolderEntry {
  std::string folder;
  std::string entry;
};

// Nothing for a name that names no entry of a folder (one ending in a slash, or "..").
std::optional<FolderEntry> folder_entry_of(std::string_view listed_name);

}  // namespace curvist
