#pragma once
// giza reports its troubles on standard error in its own words, call by call. The user
// should see one clear line of ours instead, so giza's standard error goes to a capture
// buffer, and the layer reads the first error from there. In a process whose standard
// error others write to as well, it goes there for the length of each call only; in
// curvist-picture, whose standard error is giza's alone, it goes there once for good.

#include <optional>
#include <string>

#include "files/FileDescriptor.hpp"

namespace curvist {

enum class GizaErrorCapture {
  per_call,       // standard error is back with its owner between giza's calls
  whole_process,  // the process's standard error is giza's alone
};

class GizaMessages {
 public:
  explicit GizaMessages(GizaErrorCapture capture = GizaErrorCapture::per_call);

  // Runs one giza call with standard error captured.
  template <typename Call>
  void run(Call&& call) {
    const bool diverted = divert();
    call();
    if (diverted) restore();
  }

  // Forgets everything captured so far, and takes note of where standard error goes
  // now: the calls that follow put it back there.
  void clear();
  // What giza's first error since the last clear() said, without giza's prefix and the
  // name of its routine.
  std::optional<std::string> first_error() const;

 private:
  bool divert();
  void restore();
  void note_standard_error();

  FileDescriptor capture_;         // an anonymous in-memory file; none when none could be made
  FileDescriptor standard_error_;  // a duplicate of standard error as the owner left it
  bool per_call_;
};

}  // namespace curvist
