#pragma once
// Frames (PictureStream) over a connected stream socket, both ways. Bytes are sent whole;
// a peer that has gone away makes a send fail, never raises SIGPIPE in the sender. A
// frame is received whole into float-aligned storage, where its points can be drawn from.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace curvist {

// Sends every byte; false when the peer has gone or the socket failed. While the socket
// is full, `on_waiting_frame` (when given) is called whenever a frame from the peer is
// waiting, so that two peers sending to each other never wait for each other.
bool send_bytes(int socket, std::span<const char> bytes,
                void (*on_waiting_frame)(void* context) = nullptr, void* context = nullptr);

// What came of receiving one frame.
struct ReceivedFrame {
  enum class Kind {
    frame,          // received whole
    end_of_stream,  // the peer has gone (before or inside a frame), or the socket failed
    too_long,       // it claims more than the receiver takes: nothing of it is read
  };
  Kind kind = Kind::end_of_stream;
  std::uint64_t length = 0;  // in bytes: the frame's, or the length claimed
};

// Receives one frame of at most `longest` bytes into `words`. The length is checked
// before any memory is asked for: a peer cannot make the receiver allocate what it
// merely claims.
ReceivedFrame receive_frame(int socket, std::vector<float>& words, std::uint64_t longest);

// Whether something (a frame, or the end of the stream) is waiting to be received.
bool frame_waiting(int socket);

// Frames received through a buffer of its own, so that the many small frames of a picture
// take a few reads rather than two each. For a receiver that only receives: whatever it
// has read ahead is its own.
class FrameReceiver {
 public:
  explicit FrameReceiver(int socket) : socket_(socket), buffer_(buffer_size) {}

  // One frame into `words`: its length in bytes; nothing at the end of the stream, on a
  // failure, or for a frame longer than any picture.
  std::optional<std::size_t> receive(std::vector<float>& words);

 private:
  static constexpr std::size_t buffer_size = std::size_t(64) << 10;

  // Reads until at least `count` bytes are waiting in the buffer (count <= buffer_size).
  bool fill(std::size_t count);
  std::size_t waiting() const { return end_ - start_; }

  int socket_;
  std::vector<char> buffer_;
  std::size_t start_ = 0;  // the bytes from start_ to end_ are read and not yet taken
  std::size_t end_ = 0;
};

}  // namespace curvist
