#pragma once
// A shared memory segment through which pixels reach a local X server (MIT-SHM): the
// presenter copies a window's pixels into it and the server takes them from there, so
// that they are not written through the connection's socket and read back out of it.
//
// The segment is removed (IPC_RMID) as soon as both sides have attached it: it goes away
// with the last of them, however the program ends, a crash or SIGKILL included.

#include <cstddef>
#include <cstdint>
#include <memory>

struct _XDisplay;

namespace curvist {

struct PixelRectangle;

class SharedPixelSegment {
 public:
  // A segment of at least `pixels` 32-bit pixels attached by this process and by the
  // display's server; null when the server does not offer the extension, is not reached
  // through a local socket, or cannot attach it (another machine, or the system's limits
  // on shared memory). Called on the thread that owns the connection.
  static std::unique_ptr<SharedPixelSegment> attach(_XDisplay* display, std::size_t pixels);
  // Only detaches this process: the server's attachment goes with the connection, and
  // the memory stays valid for it until then.
  ~SharedPixelSegment();
  SharedPixelSegment(const SharedPixelSegment&) = delete;
  SharedPixelSegment& operator=(const SharedPixelSegment&) = delete;

  std::size_t capacity() const { return capacity_; }

  // The segment's pixels, once the server has taken those of the last put: it reads them
  // when it handles the request, and they must not change before.
  std::uint32_t* writable_pixels();

  // Shows the area's pixels, which lie in rows of its width from the start of the
  // segment, at that area of the drawable.
  void put(unsigned long drawable, const PixelRectangle& area);

 private:
  SharedPixelSegment(_XDisplay* display, int identifier, void* address, std::size_t capacity);

  _XDisplay* display_;
  int identifier_;
  void* address_;
  std::size_t capacity_;
  unsigned long server_segment_ = 0;
  // A put the server may not have handled yet.
  bool put_pending_ = false;
};

}  // namespace curvist
