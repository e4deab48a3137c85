#include "pgplot/FrameChannel.hpp"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

#include "array/LargeArrays.hpp"

namespace curvist {
namespace {

// Far beyond any picture (a line of 2^31 points takes 16 GiB): a longer frame is taken
// for a broken stream rather than a reason to ask for the memory.
constexpr std::uint64_t longest_frame = std::uint64_t(1) << 36;

bool resize_for(std::vector<float>& words, std::uint64_t length, std::uint64_t longest) {
  if (length > longest) return false;
  try {
    const std::size_t count = (std::size_t(length) + sizeof(float) - 1) / sizeof(float);
    // A frame of a million points, received into fresh memory, would fault every 4 KiB.
    if (count > words.capacity()) {
      words.reserve(count);
      ask_for_huge_pages(words.data(), words.capacity() * sizeof(float));
    }
    words.resize(count);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool receive_whole(int socket, char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t count = recv(socket, bytes, size, 0);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes += count;
    size -= std::size_t(count);
  }
  return true;
}

}  // namespace

bool send_bytes(int socket, std::span<const char> bytes, void (*on_waiting_frame)(void*),
                void* context) {
  while (!bytes.empty()) {
    const int flags = MSG_NOSIGNAL | (on_waiting_frame != nullptr ? MSG_DONTWAIT : 0);
    const ssize_t count = send(socket, bytes.data(), bytes.size(), flags);
    if (count >= 0) {
      bytes = bytes.subspan(std::size_t(count));
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
    pollfd watched{socket, POLLOUT | POLLIN, 0};
    if (poll(&watched, 1, -1) < 0 && errno != EINTR) return false;
    if ((watched.revents & POLLIN) != 0) on_waiting_frame(context);
  }
  return true;
}

ReceivedFrame receive_frame(int socket, std::vector<float>& words, std::uint64_t longest) {
  using Kind = ReceivedFrame::Kind;
  std::uint64_t length = 0;
  if (!receive_whole(socket, reinterpret_cast<char*>(&length), sizeof length)) return {};
  if (length > longest) return {Kind::too_long, length};
  if (!resize_for(words, length, longest) ||
      !receive_whole(socket, reinterpret_cast<char*>(words.data()), std::size_t(length)))
    return {};
  return {Kind::frame, length};
}

bool FrameReceiver::fill(std::size_t count) {
  if (buffer_.size() - start_ < count) {
    std::copy(buffer_.begin() + std::ptrdiff_t(start_), buffer_.begin() + std::ptrdiff_t(end_),
              buffer_.begin());
    end_ -= start_;
    start_ = 0;
  }
  while (waiting() < count) {
    const ssize_t received = recv(socket_, buffer_.data() + end_, buffer_.size() - end_, 0);
    if (received < 0 && errno == EINTR) continue;
    if (received <= 0) return false;
    end_ += std::size_t(received);
  }
  return true;
}

std::optional<std::size_t> FrameReceiver::receive(std::vector<float>& words) {
  std::uint64_t length = 0;
  if (!fill(sizeof length)) return std::nullopt;
  std::memcpy(&length, buffer_.data() + start_, sizeof length);
  start_ += sizeof length;
  if (!resize_for(words, length, longest_frame)) return std::nullopt;
  char* const frame = reinterpret_cast<char*>(words.data());
  // The part already read ahead, then the rest straight into place.
  const std::size_t ahead = std::min(waiting(), std::size_t(length));
  std::memcpy(frame, buffer_.data() + start_, ahead);
  start_ += ahead;
  const std::size_t rest = std::size_t(length) - ahead;
  if (rest > buffer_size / 2) {
    if (!receive_whole(socket_, frame + ahead, rest)) return std::nullopt;
  } else if (rest > 0) {
    if (!fill(rest)) return std::nullopt;
    std::memcpy(frame + ahead, buffer_.data() + start_, rest);
    start_ += rest;
  }
  return std::size_t(length);
}

bool frame_waiting(int socket) {
  pollfd watched{socket, POLLIN, 0};
  return poll(&watched, 1, 0) > 0 && (watched.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

}  // namespace curvist
