#include "pgplot/PictureStream.hpp"

#include <cstring>
#include <tuple>

namespace curvist {
namespace {

constexpr std::size_t word = 4;

std::size_t padded(std::size_t length) { return (length + word - 1) / word * word; }

// Makes a call whose values have all been taken, so that a frame that does not hold
// exactly the call's values makes none.
template <typename Make>
std::optional<MadeCall> made(PgplotCall call, const FrameDecoder& frame, Make&& make) {
  if (!frame.taken_whole()) return std::nullopt;
  if constexpr (std::is_void_v<decltype(make())>) {
    make();
    return MadeCall{call, std::nullopt};
  } else {
    return MadeCall{call, static_cast<int>(make())};
  }
}

template <typename Result, typename... Values>
std::optional<MadeCall> make_frame_call(PgplotCall call, FrameDecoder& frame, Pgplot& pgplot,
                                        Result (Pgplot::*function)(Values...)) {
  const std::tuple<Values...> values{frame.value<Values>()...};
  return made(call, frame, [&] {
    return std::apply([&](const auto&... value) { return (pgplot.*function)(value...); }, values);
  });
}

template <typename Result, typename... Others>
std::optional<MadeCall> make_frame_call_with_points(
    PgplotCall call, FrameDecoder& frame, Pgplot& pgplot,
    Result (Pgplot::*function)(std::span<const float>, std::span<const float>, Others...)) {
  const auto count = std::size_t(std::max(0, frame.integer()));
  const std::tuple<Others...> others{frame.value<Others>()...};
  const auto x = frame.floats(count);
  const auto y = frame.floats(count);
  return made(call, frame, [&] {
    return std::apply([&](const auto&... value) { return (pgplot.*function)(x, y, value...); },
                      others);
  });
}

}  // namespace

std::size_t FrameEncoder::begin(PgplotCall call) {
  const std::size_t start = bytes_.size();
  bytes_.resize(start + frame_length_size);
  add(static_cast<std::int32_t>(call));
  return start;
}

void FrameEncoder::end(std::size_t start, std::size_t bytes_to_follow) {
  const std::uint64_t length = bytes_.size() - start - frame_length_size + bytes_to_follow;
  std::memcpy(bytes_.data() + start, &length, sizeof length);
}

void FrameEncoder::add(std::int32_t value) {
  const char* bytes = reinterpret_cast<const char*>(&value);
  bytes_.insert(bytes_.end(), bytes, bytes + sizeof value);
}

void FrameEncoder::add(float value) {
  const char* bytes = reinterpret_cast<const char*>(&value);
  bytes_.insert(bytes_.end(), bytes, bytes + sizeof value);
}

void FrameEncoder::add(std::span<const float> values) {
  const char* bytes = reinterpret_cast<const char*>(values.data());
  bytes_.insert(bytes_.end(), bytes, bytes + values.size_bytes());
}

void FrameEncoder::add(std::string_view text) {
  add(static_cast<std::int32_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  bytes_.resize(bytes_.size() + padded(text.size()) - text.size(), '\0');
}

std::span<const char> FrameDecoder::take(std::size_t count) {
  if (malformed_ || count > bytes_.size()) {
    malformed_ = true;
    return {};
  }
  const auto taken = bytes_.first(count);
  bytes_ = bytes_.subspan(count);
  return taken;
}

PgplotCall FrameDecoder::call() { return static_cast<PgplotCall>(integer()); }

std::int32_t FrameDecoder::integer() {
  std::int32_t value = 0;
  const auto bytes = take(sizeof value);
  if (!bytes.empty()) std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

float FrameDecoder::real() {
  float value = 0;
  const auto bytes = take(sizeof value);
  if (!bytes.empty()) std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

std::string_view FrameDecoder::text() {
  const std::int32_t length = integer();
  if (length < 0) {
    malformed_ = true;
    return {};
  }
  const auto bytes = take(padded(std::size_t(length)));
  return bytes.empty() ? std::string_view() : std::string_view(bytes.data(), std::size_t(length));
}

std::span<const float> FrameDecoder::floats(std::size_t count) {
  const auto bytes = take(count * sizeof(float));
  // Every value before the points is a whole word, so the points are where floats go.
  return {reinterpret_cast<const float*>(bytes.data()), bytes.empty() ? 0 : count};
}

std::optional<PictureAnswer> decode_answer(std::span<const float> words, std::size_t length) {
  FrameDecoder frame(words, length);
  PictureAnswer answer;
  answer.call = frame.call();
  answer.result = frame.integer();
  answer.errors = frame.text();
  answer.drawing_path = frame.text();
  bool answered = false;
  with_pgplot_call(answer.call, [&]<PgplotCall call>() { answered = pgplot_call_answered<call>; });
  if (!frame.taken_whole() || !answered) return std::nullopt;
  return answer;
}

std::optional<std::string_view> working_folder_in(std::span<const float> words,
                                                  std::size_t length) {
  FrameDecoder frame(words, length);
  if (frame.call() != PgplotCall::working_folder) return std::nullopt;
  const std::string_view folder = frame.text();
  if (!frame.taken_whole()) return std::nullopt;
  return folder;
}

std::optional<MadeCall> make_call(std::span<const float> words, std::size_t length,
                                  Pgplot& pgplot) {
  FrameDecoder frame(words, length);
  std::optional<MadeCall> made;
  with_pgplot_call(frame.call(), [&]<PgplotCall call>() {
    if constexpr (pgplot_call_has_points<call>)
      made = make_frame_call_with_points(call, frame, pgplot, PgplotCallEntry<call>::function);
    else
      made = make_frame_call(call, frame, pgplot, PgplotCallEntry<call>::function);
  });
  return made;
}

}  // namespace curvist
