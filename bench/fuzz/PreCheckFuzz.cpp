// Fuzzes the pre-check over a real file: whatever the file holds, the check ends with a
// verdict, and a file it accepts has the lines its header numbers ask for.
#include <cstdint>

#include "FuzzInput.hpp"
#include "PreCheck.hpp"
#include "listdirected/Records.hpp"

using namespace curvist;

namespace {

std::int64_t record_count(std::string_view text) {
  RecordInput input{text};
  std::int64_t count = 0;
  while (read_record(input)) ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::ScratchFile scratch;
  const std::string_view text = fuzzing::as_text(data, size);
  const bool accepted = passes_pre_check(scratch.write(text));
  if (accepted && record_count(text) < 6) fuzzing::broken("an accepted file has six lines");
  for (std::size_t start = 0; start < text.size();) {
    const auto end = std::min(text.find('\n', start), text.size());
    (void)looks_like_text(text.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}
