#pragma once
// A picture in the making: drawn into a temporary file beside its final name and moved
// into place only when complete, so that a failed or interrupted plot never leaves a
// truncated picture and never destroys an older one of the same name, nor any file
// that is not a picture.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "files/Interruption.hpp"

namespace curvist {

class TemporaryFile {
 public:
  // Creates an empty file in the folder of `beside` whose name ends in `extension`.
  // Throws std::system_error when the folder does not take it.
  TemporaryFile(std::string_view beside, std::string_view extension);
  ~TemporaryFile();  // removes the file unless it was moved into place
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }

  // Renames the file to `target`, replacing an older picture of that name but never any
  // other file (a data file, say); the reason on failure (the temporary file is then
  // still removed later).
  std::optional<std::string> move_into_place(const std::string& target);

 private:
  std::string path_;
  std::unique_ptr<RemovalOnInterrupt> removal_;
  bool moved_ = false;
};

// Whether the file exists, is not empty and ends with `ending` (trailing blanks and line
// ends aside); the reason when it does not.
std::optional<std::string> check_complete(const std::string& path, std::string_view ending);

}  // namespace curvist
