#include "plotfile/HeaderLines.hpp"

#include <cstddef>
#include <span>

#include "listdirected/FileInput.hpp"
#include "plotfile/RefusalReasons.hpp"

namespace curvist {

Refusable<HeaderNumbers> read_header_lines(FileText& file, RecordInput& input, Reasons reasons) {
  HeaderNumbers header{};
  for (std::size_t index = 0; index < header.size(); ++index) {
    const ReadStatus status = read_from_file(file, input, [&](RecordInput& in) {
      return read_integers(in, std::span(&header[index], 1));
    });
    // Reasons count the lines before a fault: only then is the text looked at whole.
    if (!status)
      return refusal(reasons, [&] {
        return read_fault_reason(file.whole_text(), status, "an integer", header_roles[index]);
      });
  }
  return header;
}

}  // namespace curvist
