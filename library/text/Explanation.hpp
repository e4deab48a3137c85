#pragma once
// Reasons given only to a caller who asks: an operation that can say why it failed takes
// an optional place for the reason (null: nobody asked), and makes the words only then.

#include <string>

namespace curvist {

template <typename Describe>
void explain(std::string* why_not, const Describe& describe) {
  if (why_not != nullptr) *why_not = describe();
}

}  // namespace curvist
