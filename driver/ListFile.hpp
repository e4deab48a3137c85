#pragma once
// The list file Curvist.par: one data-file name per line. A list the user wrote is only
// read; when there is none, the program lists the data files of the folder itself and
// removes that list at the end of the run.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/Interruption.hpp"
#include "listdirected/Records.hpp"

namespace curvist {

inline constexpr std::string_view list_file_name = "Curvist.par";

// Whether a folder entry of that name is listed: named *.dat in any case, not hidden.
bool names_data_file(std::string_view name);

// The entries of the current folder named *.dat in any case, hidden ones left out:
// directories first, each group sorted by name without regard to case (ties in byte
// order). Names that cannot stand on one line of the list are left out, each with one
// line on standard error.
std::vector<std::string> data_file_names();

// The line that a list-directed read gives back as the whole name: quoted in
// apostrophes (an apostrophe inside doubled) where a bare name would be cut short.
std::string list_line_for(std::string_view name);

struct ListFile {
  std::string content;
  bool made_by_program = false;
  // A list the program made is removed even when the run is interrupted.
  std::unique_ptr<RemovalOnInterrupt> removal_on_interrupt;
};

// Reads the list file of the current folder, or makes it when there is none. Nothing,
// after one line on standard error, when it can neither be read nor made; a list file
// the program made is then removed again.
std::optional<ListFile> obtain_list_file();

// Removes a list file the program made; one line on standard error when that fails.
void remove_list_file();

// The next name of the list, whole and without its trailing blanks; nothing at the end
// of the list or at a line that cannot be read. A name is never cut to a field's length:
// the first characters of a long name may well name another file.
std::optional<std::string> read_next_name(RecordInput& list);

// What --explain adds to the reason a name was skipped when the list cut it at a slash:
// an unquoted name with a folder, run2/pressure.dat, is read as the folder, run2. `list`
// stands right after the line that gave `name`. Empty for any other name.
std::string folder_name_hint(const RecordInput& list, std::string_view name);

}  // namespace curvist
