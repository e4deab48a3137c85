#include "ListFile.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "files/RegularFile.hpp"
#include "listdirected/ListDirectedInput.hpp"
#include "platform/Platform.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

namespace fs = std::filesystem;

char lower_case(char character) {
  return character >= 'A' && character <= 'Z' ? char(character - 'A' + 'a') : character;
}

bool sorts_before(const std::string& left, const std::string& right) {
  const auto compared = std::lexicographical_compare_three_way(
      left.begin(), left.end(), right.begin(), right.end(),
      // Bytes compare unsigned, as in the tie-break: names with bytes above 127 come last.
      [](char a, char b) {
        return static_cast<unsigned char>(lower_case(a)) <=>
               static_cast<unsigned char>(lower_case(b));
      });
  if (compared != 0) return compared < 0;
  return left < right;
}

bool is_number_character(char character) { return character >= '0' && character <= '9'; }

// A list-directed read ends a bare name at a blank, tab, comma, semicolon or slash, takes
// a leading quote as the start of a quoted value and leading digits with a star as a
// repeat count.
bool needs_quotes(std::string_view name) {
  if (name.find_first_of(" \t\r,;/'\"") != std::string_view::npos) return true;
  const auto digits_end =
      std::find_if_not(name.begin(), name.end(), is_number_character) - name.begin();
  return digits_end > 0 && std::size_t(digits_end) < name.size() && name[digits_end] == '*';
}

bool write_whole(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(descriptor, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(std::size_t(written));
  }
  return true;
}

void report_cannot_make(std::string_view reason) {
  current_errors().write_line("curvist: cannot make the list file " + std::string(list_file_name) +
                              ": " + std::string(reason));
}

std::unique_ptr<RemovalOnInterrupt> make_list_file() {
  std::string content;
  std::error_code error;
  for (const std::string& name : data_file_names()) content += list_line_for(name) + '\n';

  const std::string absolute_path = fs::absolute(list_file_name, error).string();
  int descriptor = -1;
  std::unique_ptr<RemovalOnInterrupt> removal;
  {
    // Made and registered as one step, so that an interruption cannot leave it behind.
    const InterruptionsHeld held;
    descriptor =
        open(std::string(list_file_name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) removal = std::make_unique<RemovalOnInterrupt>(absolute_path);
  }
  if (descriptor < 0) {
    report_cannot_make(std::strerror(errno));
    return nullptr;
  }
  const bool written = write_whole(descriptor, content);
  const int write_error = errno;
  if (close(descriptor) != 0 || !written) {
    report_cannot_make(std::strerror(written ? errno : write_error));
    fs::remove(list_file_name, error);
    return nullptr;
  }
  return removal;
}

}  // namespace

bool names_data_file(std::string_view name) {
  constexpr std::string_view extension = ".dat";
  if (name.empty() || name[0] == '.' || name.size() < extension.size()) return false;
  return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                    [](char wanted, char found) { return wanted == lower_case(found); });
}

std::vector<std::string> data_file_names() {
  std::vector<std::string> directories;
  std::vector<std::string> files;
  std::error_code error;
  for (fs::directory_iterator entry(".", error), end; !error && entry != end;
       entry.increment(error)) {
    std::string name = entry->path().filename().string();
    if (!names_data_file(name)) continue;
    if (name.find('\n') != std::string::npos) {
      current_errors().write_line(
          "curvist: left out of the list: a file name holding a line break");
      continue;
    }
    std::error_code type_error;
    (entry->is_directory(type_error) ? directories : files).push_back(std::move(name));
  }
  if (error)
    current_errors().write_line("curvist: cannot read the current folder: " + error.message());
  std::sort(directories.begin(), directories.end(), sorts_before);
  std::sort(files.begin(), files.end(), sorts_before);
  directories.insert(directories.end(), files.begin(), files.end());
  return directories;
}

std::string list_line_for(std::string_view name) {
  if (!needs_quotes(name)) return std::string(name);
  std::string line = "'";
  for (const char character : name) {
    if (character == '\'') line.push_back('\'');
    line.push_back(character);
  }
  line.push_back('\'');
  return line;
}

std::optional<ListFile> obtain_list_file() {
  std::error_code error;
  const bool exists = fs::exists(fs::symlink_status(list_file_name, error));
  if (exists) {
    // The user's own list: read only, never replaced.
    if (auto content = read_regular_file(list_file_name))
      return ListFile{std::move(*content), false, nullptr};
    current_errors().write_line(
        "curvist: cannot read the list file " + std::string(list_file_name) + ": " +
        (is_regular_file(list_file_name) ? std::strerror(errno) : "not a regular file"));
    return std::nullopt;
  }
  auto removal = make_list_file();
  if (!removal) return std::nullopt;
  if (auto content = read_regular_file(list_file_name))
    return ListFile{std::move(*content), true, std::move(removal)};
  current_errors().write_line("curvist: cannot read back the list file " +
                              std::string(list_file_name));
  remove_list_file();
  return std::nullopt;
}

void remove_list_file() {
  std::error_code error;
  if (fs::remove(list_file_name, error) || !error) return;
  // After the last file: its picture's line comes first.
  current_errors().write_line("curvist: cannot remove the list file " +
                              std::string(list_file_name) + ": " + error.message());
}

std::optional<std::string> read_next_name(RecordInput& list) {
  const auto value = read_text_value(list);
  if (!value) return std::nullopt;
  return std::string(without_trailing_blanks(*value));
}

std::string folder_name_hint(const RecordInput& list, std::string_view name) {
  std::string_view read = list.text.substr(0, list.position);
  if (read.ends_with('\n')) read.remove_suffix(1);
  if (read.ends_with('\r')) read.remove_suffix(1);
  std::string_view line = read.substr(read.find_last_of("\r\n") + 1);
  line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
  if (name.empty() || !line.starts_with(name) || !line.substr(name.size()).starts_with('/'))
    return "";
  const std::string_view whole = line.substr(0, line.find_first_of(" \t,"));
  return "; a name with a folder is written in apostrophes in " + std::string(list_file_name) +
         ": " + list_line_for(whole);
}

}  // namespace curvist
