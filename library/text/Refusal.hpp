#pragma once
// What a step that can refuse gives back: its value, or why it refused, in words for the
// user. Some reasons cost a second look at a whole file (to count the lines before a
// fault, say), so a step that reads files makes them only for a caller that asks for
// them (Reasons::asked); otherwise its refusal says nothing.

#include <optional>
#include <string>
#include <utility>

namespace curvist {

enum class Reasons { unasked, asked };

// Why a step refused; empty where the reason was not asked for.
struct Refusal {
  std::string reason;
};

// What a check that lets its subject pass gives back.
struct Passed {};

// A refusal whose words `describe` makes, only when they are asked for.
template <typename Describe>
Refusal refusal(Reasons reasons, const Describe& describe) {
  if (reasons == Reasons::unasked) return {};
  return {std::string(describe())};
}

template <typename Value>
class Refusable {
 public:
  Refusable(Value value) : value_(std::move(value)) {}
  Refusable(Refusal refused) : why_not_(std::move(refused.reason)) {}

  explicit operator bool() const { return value_.has_value(); }
  Value& operator*() { return *value_; }
  const Value& operator*() const { return *value_; }
  Value* operator->() { return &*value_; }
  const Value* operator->() const { return &*value_; }

  // Why there is no value; empty when there is one.
  const std::string& why_not() const { return why_not_; }
  // The refusal, to be handed on by a step that refuses for the same reason.
  Refusal refusal() const { return {why_not_}; }

 private:
  std::optional<Value> value_;
  std::string why_not_;
};

}  // namespace curvist
