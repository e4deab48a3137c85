#include "window/WindowRedraw.hpp"

#include <utility>

#include "window/OffscreenWindows.hpp"

namespace curvist {

std::unique_ptr<WindowUnit> draw_again(const WindowRedraw& redraw) {
  // Windows of their own, so the redraw touches nothing of the windows on screen: not
  // the active window, the colours or the fonts the program draws with.
  OffscreenWindows windows;
  windows.set_new_window_size(redraw.width, redraw.height);
  if (redraw.view)
    redraw.plot->draw_view(windows, redraw.unit, *redraw.view);
  else
    redraw.plot->draw(windows, redraw.unit);
  const auto drawn = windows.units().find(redraw.unit);
  if (drawn == windows.units().end() || !drawn->second->surface) return nullptr;
  // It takes the place of a window that nothing draws into at the moment.
  drawn->second->surface->compact();
  return std::move(drawn->second);
}

void take_pixels(WindowUnit& window, WindowUnit& redrawn) {
  std::swap(window.surface, redrawn.surface);
  std::swap(window.drawing, redrawn.drawing);
  window.surface->add_damage({0, 0, window.surface->width() - 1, window.surface->height() - 1});
}

}  // namespace curvist
