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

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pgplot/PgplotInterface.hpp"

namespace curvist {

enum class PgplotCall : std::uint32_t {
  PGBEG = 1,
  PGSLW,
  PGSCH,
  PGPAGE,
  PGVSTD,
  PGSWIN,
  PGSCR,
  PGBOX,
  PGLAB,
  PGSLS,
  PGLINE,
  PGPT,
  PGEND,
  // Not PGPLOT's: the folder that relative picture names start from, the caller's
  // current folder when it begins a picture.
  working_folder = 100,
};

inline constexpr std::size_t frame_length_size = sizeof(std::uint64_t);

// Frames appended to a buffer of bytes.
class FrameEncoder {
 public:
  explicit FrameEncoder(std::vector<char>& bytes) : bytes_(bytes) {}

  // One whole call with its values (int, float, texts as string_view).
  template <typename... Values>
  void call(PgplotCall call, const Values&... values) {
    const std::size_t start = begin(call);
    (add(values), ...);
    end(start);
  }

  // A call with points: its header here, then the caller appends (or sends right after)
  // the x and the y values, `count` floats each.
  template <typename... Values>
  void points_header(PgplotCall call, std::size_t count, const Values&... values) {
    const std::size_t start = begin(call);
    add(static_cast<std::int32_t>(count));
    (add(values), ...);
    end(start, 2 * count * sizeof(float));
  }

  // An answer: the call it answers, its result, the lines for standard error and, for
  // PGBEG, the file the picture is drawn into until it is complete.
  void answer(PgplotCall call, int result, std::string_view errors,
              std::string_view drawing_path = {}) {
    this->call(call, static_cast<std::int32_t>(result), errors, drawing_path);
  }

 private:
  std::size_t begin(PgplotCall call);
  void end(std::size_t start, std::size_t bytes_to_follow = 0);
  void add(std::int32_t value);
  void add(float value);
  void add(std::string_view text);

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

// Makes the call of one frame on `pgplot`. PGBEG and PGEND give their result; the other
// calls nothing. A malformed frame makes no call and gives nothing.
struct MadeCall {
  PgplotCall call;
  int result = 0;
};
std::optional<MadeCall> make_call(std::span<const float> words, std::size_t length, Pgplot& pgplot);

}  // namespace curvist
