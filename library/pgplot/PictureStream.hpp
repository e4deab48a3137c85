#pragma once
// The PGPLOT calls as a compact stream of bytes, for pictures drawn in a process of our
// own (curvist-picture), and the answers that come back: PGBEG's status and PGEND's
// outcome, each with the lines the user is to read on standard error.
//
// A frame is its length in bytes (8 bytes, the length itself not counted), then its
// words: the call (4 bytes), then the call's values in order. Integers and floats take 4
// bytes each, in the machine's order (both ends are the same build on the same machine);
// a text is its length and its bytes, padded to a whole word; points are their count,
// the other values of the call, then the x values, then the y values, so that the
// receiver can draw them where they landed. Answers are frames too: the call answered,
// its result and the lines for standard error.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "pgplot/PgplotCalls.hpp"
#include "pgplot/PgplotInterface.hpp"

namespace curvist {

inline constexpr std::size_t frame_length_size = sizeof(std::uint64_t);

// Frames appended to a buffer of bytes.
class FrameEncoder {
 public:
  explicit FrameEncoder(std::vector<char>& bytes) : bytes_(bytes) {}

  // One whole call, with the values its parameters take (PgplotInterface.hpp).
  template <PgplotCall which, typename... Values>
  void call(const Values&... values) {
    if constexpr (pgplot_call_has_points<which>)
      add_points_call(which, PgplotCallEntry<which>::function, values...);
    else
      add_call(which, PgplotCallEntry<which>::function, values...);
  }

  // A call with points: its header here, with the call's values other than its points;
  // then the caller appends (or sends right after) the x and the y values, `count`
  // floats each.
  template <PgplotCall which, typename... Values>
  void points_header(std::size_t count, const Values&... values) {
    add_points_header(which, PgplotCallEntry<which>::function, count, values...);
  }

  void working_folder(std::string_view folder) {
    const std::size_t start = begin(PgplotCall::working_folder);
    add(folder);
    end(start);
  }

  // An answer: the call it answers, its result, the lines for standard error and, for
  // PGBEG, the file the picture is drawn into until it is complete.
  void answer(PgplotCall call, int result, std::string_view errors,
              std::string_view drawing_path = {}) {
    const std::size_t start = begin(call);
    add(static_cast<std::int32_t>(result));
    add(errors);
    add(drawing_path);
    end(start);
  }

 private:
  template <typename Result, typename... Parameters>
  void add_call(PgplotCall call, Result (Pgplot::*)(Parameters...),
                std::type_identity_t<Parameters>... values) {
    const std::size_t start = begin(call);
    (add(values), ...);
    end(start);
  }
  template <typename Result, typename... Others>
  void add_points_header(PgplotCall call,
                         Result (Pgplot::*)(std::span<const float>, std::span<const float>,
                                            Others...),
                         std::size_t count, std::type_identity_t<Others>... others) {
    const std::size_t start = begin(call);
    add(static_cast<std::int32_t>(count));
    (add(others), ...);
    end(start, 2 * count * sizeof(float));
  }
  template <typename Result, typename... Others>
  void add_points_call(PgplotCall call,
                       Result (Pgplot::*function)(std::span<const float>, std::span<const float>,
                                                  Others...),
                       std::span<const float> x, std::span<const float> y,
                       std::type_identity_t<Others>... others) {
    const std::size_t count = std::min(x.size(), y.size());
    add_points_header(call, function, count, others...);
    add(x.first(count));
    add(y.first(count));
  }

  std::size_t begin(PgplotCall call);
  void end(std::size_t start, std::size_t bytes_to_follow = 0);
  void add(std::int32_t value);
  void add(float value);
  void add(std::string_view text);
  void add(std::span<const float> values);

  std::vector<char>& bytes_;
};

// The values of one frame, taken in order. A frame too short for what is taken gives
// zeros and empty texts from there on, and taken_whole() says so.
class FrameDecoder {
 public:
  // `words`: the frame without its length, as received into float-aligned storage.
  explicit FrameDecoder(std::span<const float> words, std::size_t length)
      : bytes_(reinterpret_cast<const char*>(words.data()), length) {}

  PgplotCall call();
  std::int32_t integer();
  float real();
  std::string_view text();
  std::span<const float> floats(std::size_t count);
  // The next value of a call's parameter of type Value.
  template <typename Value>
  Value value() {
    if constexpr (std::is_same_v<Value, std::string_view>)
      return text();
    else if constexpr (std::is_same_v<Value, float>)
      return real();
    else {
      static_assert(std::is_same_v<Value, int>, "a call's values are int, float and texts");
      return integer();
    }
  }
  // True when every value was there and nothing is left over.
  bool taken_whole() const { return !malformed_ && bytes_.empty(); }

 private:
  std::span<const char> take(std::size_t count);

  std::span<const char> bytes_;
  bool malformed_ = false;
};

// An answer holds a few lines and a path: a frame longer than this is none, whatever
// it claims to be.
inline constexpr std::uint64_t longest_answer = std::uint64_t(16) << 20;

struct PictureAnswer {
  PgplotCall call = PgplotCall::PGEND;  // PGBEG or PGEND
  int result = 0;                       // PGBEG's status; PGEND: 1 when complete
  std::string errors;                   // whole lines for standard error
  std::string drawing_path;             // PGBEG's: where the picture is drawn, absolute
};

// Decodes an answer frame; nothing when it is not one.
std::optional<PictureAnswer> decode_answer(std::span<const float> words, std::size_t length);

// The folder of a working_folder frame; nothing for any other frame.
std::optional<std::string_view> working_folder_in(std::span<const float> words, std::size_t length);

// Makes the call of one frame on `pgplot`, and gives the result of a call answered
// (PGBEG's status, PGEND's outcome: 1 when complete). A malformed frame makes no call and
// gives nothing.
struct MadeCall {
  PgplotCall call;
  std::optional<int> result;  // none for a call that is not answered
};
std::optional<MadeCall> make_call(std::span<const float> words, std::size_t length, Pgplot& pgplot);

}  // namespace curvist
