#include "pgplot/PictureStream.hpp"

#include <cstring>

namespace curvist {
namespace {

constexpr std::size_t word = 4;

std::size_t padded(std::size_t length) { return (length + word - 1) / word * word; }

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
  const bool answerable = answer.call == PgplotCall::PGBEG || answer.call == PgplotCall::PGEND;
  if (!frame.taken_whole() || !answerable) return std::nullopt;
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
  const PgplotCall call = frame.call();
  // Every value is taken before the call is made, so that a frame that does not hold
  // exactly the call's values makes none.
  const auto made = [&](auto&& make) -> std::optional<MadeCall> {
    if (!frame.taken_whole()) return std::nullopt;
    make();
    return MadeCall{call};
  };
  const auto answered = [&](auto&& make) -> std::optional<MadeCall> {
    if (!frame.taken_whole()) return std::nullopt;
    return MadeCall{call, make()};
  };
  switch (call) {
    case PgplotCall::PGBEG: {
      const int unit = frame.integer();
      const std::string_view specification = frame.text();
      const int nxsub = frame.integer();
      const int nysub = frame.integer();
      return answered([&] { return pgplot.PGBEG(unit, specification, nxsub, nysub); });
    }
    case PgplotCall::PGSLW: {
      const int width = frame.integer();
      return made([&] { pgplot.PGSLW(width); });
    }
    case PgplotCall::PGSCH: {
      const float height = frame.real();
      return made([&] { pgplot.PGSCH(height); });
    }
    case PgplotCall::PGPAGE:
      return made([&] { pgplot.PGPAGE(); });
    case PgplotCall::PGVSTD:
      return made([&] { pgplot.PGVSTD(); });
    case PgplotCall::PGSWIN: {
      const float x1 = frame.real(), x2 = frame.real(), y1 = frame.real(), y2 = frame.real();
      return made([&] { pgplot.PGSWIN(x1, x2, y1, y2); });
    }
    case PgplotCall::PGSCR: {
      const int index = frame.integer();
      const float red = frame.real(), green = frame.real(), blue = frame.real();
      return made([&] { pgplot.PGSCR(index, red, green, blue); });
    }
    case PgplotCall::PGBOX: {
      const std::string_view xopt = frame.text();
      const float xtick = frame.real();
      const int nxsub = frame.integer();
      const std::string_view yopt = frame.text();
      const float ytick = frame.real();
      const int nysub = frame.integer();
      return made([&] { pgplot.PGBOX(xopt, xtick, nxsub, yopt, ytick, nysub); });
    }
    case PgplotCall::PGLAB: {
      const std::string_view xlabel = frame.text(), ylabel = frame.text(), title = frame.text();
      return made([&] { pgplot.PGLAB(xlabel, ylabel, title); });
    }
    case PgplotCall::PGSLS: {
      const int style = frame.integer();
      return made([&] { pgplot.PGSLS(style); });
    }
    case PgplotCall::PGLINE: {
      const auto count = std::size_t(std::max(0, frame.integer()));
      const auto x = frame.floats(count), y = frame.floats(count);
      return made([&] { pgplot.PGLINE(x, y); });
    }
    case PgplotCall::PGPT: {
      const auto count = std::size_t(std::max(0, frame.integer()));
      const int symbol = frame.integer();
      const auto x = frame.floats(count), y = frame.floats(count);
      return made([&] { pgplot.PGPT(x, y, symbol); });
    }
    case PgplotCall::PGEND:
      return answered([&] { return pgplot.PGEND() ? 1 : 0; });
    case PgplotCall::working_folder:
      break;
  }
  return std::nullopt;
}

}  // namespace curvist
