#include "window/SharedPixelSegment.hpp"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/socket.h>

#include <atomic>
#include <mutex>

#include "window/PixelSurface.hpp"
// After the library's own headers: Xlib defines macros such as None and Bool.
#include "window/X11PixelImage.hpp"

#include <X11/extensions/XShm.h>

namespace curvist {
namespace {

// Shared memory only makes sense on this machine's server; a connection through TCP
// (ssh's forwarding among them) may reach a server that offers the extension yet sees
// another machine's memory.
bool reached_through_local_socket(Display* display) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getsockname(ConnectionNumber(display), reinterpret_cast<sockaddr*>(&address), &length) != 0)
    return false;
  return address.ss_family == AF_UNIX;
}

// A server that cannot attach the segment answers the attach with an error. Xlib's
// error handler is the process's, and a program hosting the library may have its own:
// it is replaced only while the attach is waited for, and every other error, of this
// connection or of another, still goes to the handler it replaced.
class RefusedAttachment {
 public:
  RefusedAttachment(Display* display, unsigned long request) : guard_(one_at_a_time) {
    display_ = display;
    request_ = request;
    refused_ = false;
    replaced_ = XSetErrorHandler(note_refusal);
  }
  ~RefusedAttachment() { XSetErrorHandler(replaced_); }
  RefusedAttachment(const RefusedAttachment&) = delete;
  RefusedAttachment& operator=(const RefusedAttachment&) = delete;

  bool refused() const { return refused_; }

 private:
  static int note_refusal(Display* display, XErrorEvent* error) {
    if (display == display_ && error->serial == request_) {
      refused_ = true;
      return 0;
    }
    const XErrorHandler replaced = replaced_.load();
    return replaced != nullptr ? replaced(display, error) : 0;
  }

  static inline std::mutex one_at_a_time;
  static inline std::atomic<Display*> display_{nullptr};
  static inline std::atomic<unsigned long> request_{0};
  static inline std::atomic<bool> refused_{false};
  static inline std::atomic<XErrorHandler> replaced_{nullptr};
  std::lock_guard<std::mutex> guard_;
};

}  // namespace

std::unique_ptr<SharedPixelSegment> SharedPixelSegment::attach(Display* display,
                                                               std::size_t pixels) {
  if (pixels == 0 || !reached_through_local_socket(display) || !XShmQueryExtension(display))
    return nullptr;
  const int identifier = shmget(IPC_PRIVATE, pixels * sizeof(std::uint32_t), IPC_CREAT | 0600);
  if (identifier < 0) return nullptr;  // the system's limits
  void* address = shmat(identifier, nullptr, 0);
  // Removed at once: Linux lets the server attach a segment marked for removal, and it
  // then goes with the last attachment, even if this process is killed in the meantime.
  shmctl(identifier, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1)) return nullptr;

  XShmSegmentInfo info{};
  info.shmid = identifier;
  info.shmaddr = static_cast<char*>(address);
  info.readOnly = True;
  bool refused;
  {
    const RefusedAttachment watch(display, NextRequest(display));
    XShmAttach(display, &info);
    XSync(display, False);
    refused = watch.refused();
  }
  // A server in another namespace may have attached a segment of its own by that number.
  shmid_ds status{};
  const bool attached_by_server =
      !refused && shmctl(identifier, IPC_STAT, &status) == 0 && status.shm_nattch >= 2;
  if (!attached_by_server) {
    if (!refused) {
      XShmDetach(display, &info);
      XSync(display, False);
    }
    shmdt(address);
    return nullptr;
  }
  auto segment = std::unique_ptr<SharedPixelSegment>(
      new SharedPixelSegment(display, identifier, address, pixels));
  segment->server_segment_ = info.shmseg;
  return segment;
}

SharedPixelSegment::SharedPixelSegment(Display* display, int identifier, void* address,
                                       std::size_t capacity)
    : display_(display), identifier_(identifier), address_(address), capacity_(capacity) {}

SharedPixelSegment::~SharedPixelSegment() { shmdt(address_); }

std::uint32_t* SharedPixelSegment::writable_pixels() {
  // The server handles requests in order: once the sync's reply is here, the last put is
  // on screen.
  if (put_pending_) XSync(display_, False);
  put_pending_ = false;
  return static_cast<std::uint32_t*>(address_);
}

void SharedPixelSegment::put(unsigned long drawable, const PixelRectangle& area) {
  const int width = area.x2 - area.x1 + 1;
  const int height = area.y2 - area.y1 + 1;
  XShmSegmentInfo info{};
  info.shmseg = server_segment_;
  info.shmid = identifier_;
  info.shmaddr = static_cast<char*>(address_);
  info.readOnly = True;
  XImage image = pixel_image(width, height, info.shmaddr);
  image.obdata = reinterpret_cast<char*>(&info);
  XShmPutImage(display_, drawable, DefaultGC(display_, DefaultScreen(display_)), &image, 0, 0,
               area.x1, area.y1, static_cast<unsigned>(width), static_cast<unsigned>(height),
               False);
  put_pending_ = true;
}

}  // namespace curvist
