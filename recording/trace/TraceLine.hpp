#pragma once
// Builds one line of a trace: words separated by one blank, texts in double quotes,
// floats as the shortest text that reads back to the same value.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace curvist {

class TraceLine {
 public:
  explicit TraceLine(std::string_view name) : text_(name) {}

  TraceLine& word(std::string_view word);
  TraceLine& quoted(std::string_view text);
  TraceLine& number(int value);
  TraceLine& number(std::int64_t value);
  TraceLine& number(float value);
  TraceLine& number(double value);
  TraceLine& flag(bool value) { return number(value ? 1 : 0); }
  // Marks the start of the call's results.
  TraceLine& results() { return word("->"); }

  const std::string& text() const { return text_; }
  void write_to(std::ostream& out) const { out << text_ << '\n'; }

 private:
  std::string text_;
};

}  // namespace curvist
