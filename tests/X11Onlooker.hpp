#pragma once
// A client of its own on a test X server, to look at a program's windows as a user
// would: find them by title, bring them to the front, read their pixels, close them with
// the window manager's message.
//
// Include after the test framework: Xlib defines macros such as None and Bool.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <string>
#include <vector>

namespace curvist::testing {

// Pixels of a window read through the X server, 0xRRGGBB each.
struct WindowPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// Xlib's default handler ends the process on any protocol error. The program under
// watch may destroy a window between two requests about it; such an error only means
// the window is gone, so it is ignored for the scope of the guard.
class IgnoredProtocolErrors {
 public:
  explicit IgnoredProtocolErrors(Display* display)
      : display_(display), previous_(XSetErrorHandler(ignore)) {}
  ~IgnoredProtocolErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  IgnoredProtocolErrors(const IgnoredProtocolErrors&) = delete;
  IgnoredProtocolErrors& operator=(const IgnoredProtocolErrors&) = delete;

 private:
  static int ignore(Display*, XErrorEvent*) { return 0; }
  Display* display_;
  XErrorHandler previous_;
};

class Onlooker {
 public:
  explicit Onlooker(const std::string& display_name)
      : display_(XOpenDisplay(display_name.c_str())) {}
  ~Onlooker() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  Onlooker(const Onlooker&) = delete;
  Onlooker& operator=(const Onlooker&) = delete;

  Display* display() const { return display_; }

  struct TitledWindow {
    Window window;
    std::string title;
  };

  // The top-level windows that have a WM_NAME, bottom of the stack first.
  std::vector<TitledWindow> titled_windows() const {
    std::vector<TitledWindow> found;
    const IgnoredProtocolErrors gone_windows(display_);
    Window root_return;
    Window parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root_return, &parent, &children,
                    &count))
      return found;
    for (unsigned index = 0; index < count; ++index) {
      XTextProperty name{};
      if (XGetWMName(display_, children[index], &name) && name.value != nullptr) {
        found.push_back(
            {children[index], std::string(reinterpret_cast<const char*>(name.value), name.nitems)});
        XFree(name.value);
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  // The top-level window whose WM_NAME is the title, or 0.
  Window find(const std::string& title) const {
    for (const auto& window : titled_windows())
      if (window.title == title) return window.window;
    return 0;
  }

  std::string net_wm_name(Window window) const {
    Atom type;
    int format;
    unsigned long items;
    unsigned long remaining;
    unsigned char* data = nullptr;
    std::string result;
    const IgnoredProtocolErrors gone_windows(display_);
    if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False), 0, 1024,
                           False, XInternAtom(display_, "UTF8_STRING", False), &type, &format,
                           &items, &remaining, &data) == Success &&
        data != nullptr) {
      result.assign(reinterpret_cast<const char*>(data), items);
      XFree(data);
    }
    return result;
  }

  // Mapped, and not under an unmapped parent: what a user would call on screen.
  bool viewable(Window window) const {
    const IgnoredProtocolErrors gone_windows(display_);
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
  }

  // Brings the window to the top of the stack; its owner repaints what was covered.
  void raise(Window window) const {
    const IgnoredProtocolErrors gone_windows(display_);
    XRaiseWindow(display_, window);
    XSync(display_, False);
  }

  // The window's pixels from (0, 0), at most width by height, or empty when it cannot
  // be read (not viewable).
  WindowPixels read(Window window, int width, int height) const {
    WindowPixels result;
    const IgnoredProtocolErrors gone_windows(display_);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes) || attributes.map_state != IsViewable)
      return result;
    result.width = std::min(width, attributes.width);
    result.height = std::min(height, attributes.height);
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(result.width),
                              static_cast<unsigned>(result.height), AllPlanes, ZPixmap);
    if (image == nullptr) return {};
    result.pixels.reserve(static_cast<std::size_t>(result.width) *
                          static_cast<std::size_t>(result.height));
    for (int y = 0; y < result.height; ++y)
      for (int x = 0; x < result.width; ++x)
        result.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    XDestroyImage(image);
    return result;
  }

  // What the window manager sends when the user clicks the close button.
  void close(Window window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
  }

 private:
  Display* display_;
};

}  // namespace curvist::testing
