#pragma once
// One redraw of a resized window: its kept plot drawn afresh at the window's new size,
// apart from the windows on screen, for the result to take the window's place.

#include <memory>
#include <optional>

#include "window/RedrawablePlot.hpp"
#include "window/WindowUnit.hpp"

namespace curvist {

struct WindowRedraw {
  int unit = 0;
  std::shared_ptr<const RedrawablePlot> plot;
  // The window's drawing version when the redraw was asked for: the result only takes
  // the window's place while it is unchanged.
  unsigned drawing_version = 0;
  int width = 0;  // the window's client size to lay the plot out for, in pixels
  int height = 0;
  // The part of its data the plot shows, none for the whole; the count of the kept
  // plot's changes of view it was asked for at.
  std::optional<PlotView> view;
  unsigned view_version = 0;
};

// The window as the plot leaves it when drawn as a plot of its own into a new window of
// the redraw's size: its pixels, in their compact form, and its drawing state. Null when
// the plot opened no window.
std::unique_ptr<WindowUnit> draw_again(const WindowRedraw& redraw);

// The window takes the pixels and the drawing state of `redrawn`, as draw_again left them,
// and is shown whole again; its earlier ones are left in `redrawn`.
void take_pixels(WindowUnit& window, WindowUnit& redrawn);

}  // namespace curvist
