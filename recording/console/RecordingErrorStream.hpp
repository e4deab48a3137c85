#pragma once
// An error stream that keeps its lines as text, each with its line end, in a stream of
// the caller's: what a test reads instead of standard error. Given the stream that a
// RecordingConsole writes to, it shows where each error line fell among the console's.

#include <ostream>

#include "console/ErrorStream.hpp"

namespace curvist {

class RecordingErrorStream final : public ErrorStream {
 public:
  explicit RecordingErrorStream(std::ostream& text) : text_(text) {}

 protected:
  void put(std::string_view text) override { text_ << text; }

 private:
  std::ostream& text_;
};

}  // namespace curvist
