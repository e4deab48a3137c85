#pragma once
// The line that tells the user that a picture cannot be written, and why: the same
// whether the program drawing it found out or its caller did (the program ended).

#include <string>
#include <string_view>

namespace curvist {

inline std::string picture_not_written_line(std::string_view picture_name,
                                            std::string_view reason) {
  std::string line = "curvist: cannot write the picture ";
  line.append(picture_name).append(": ").append(reason) += '\n';
  return line;
}

}  // namespace curvist
