// Fuzzes the pre-check over a real file: whatever the file holds, the check ends with a
// verdict, and a file it accepts has the lines its header numbers ask for.
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzInput.hpp"
#include "PreCheck.hpp"
#include "listdirected/Records.hpp"

using namespace curvist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::ScratchFile scratch;
  const std::string_view text = fuzzing::as_text(data, size);
  const bool accepted = bool(passes_pre_check(scratch.write(text)));
  if (accepted && count_records(text) < 6) fuzzing::broken("an accepted file has six lines");
  // Asking why changes nothing but the words: a refused file has a reason, with a line
  // of the file where it names one.
  const auto explained = passes_pre_check(scratch.write(text), Reasons::asked);
  const std::string& why_not = explained.why_not();
  if (bool(explained) != accepted) fuzzing::broken("asking why does not change the verdict");
  if (accepted != why_not.empty()) fuzzing::broken("a refused file, and only it, has a reason");
  if (why_not.starts_with("line ") &&
      std::stoll(why_not.substr(5)) > std::max<std::int64_t>(1, count_records(text)))
    fuzzing::broken("a reason names a line of the file");
  for (std::size_t start = 0; start < text.size();) {
    const auto end = std::min(text.find('\n', start), text.size());
    (void)looks_like_text(text.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}
