#pragma once
// What the user does to the windows on screen that the windows answer beyond showing
// their pixels. The presenter reads the events off the connection, repaints exposed
// windows itself, and hands every other event on here, by unit, one at a time.
//
// Called on the presenter's thread: an answer may take the drawing lock for a moment
// and ask the redrawer for work, but never waits for the program's thread or for a
// redraw, or the windows would stop being repainted meanwhile. Input from the pointer
// and the keyboard comes the same way: its events are selected with the others, and
// each kind gets an answer of its own here.

#include <string>

#include "window/PixelSurface.hpp"

namespace curvist {

// What the user asks of a window whose plot can be explored.
struct ExploreRequest {
  enum class Kind {
    zoom_to,     // the data under `rectangle`
    zoom_in_at,  // the wheel, about the pixel (x, y)
    zoom_out_at,
    back,          // the view before
    whole,         // the whole data, as first drawn
    pan,           // by `right` and `up` tenths of the view
    save_pixels,   // the window's pixels as a PNG file
    save_picture,  // the view as a picture
  };
  Kind kind = Kind::back;
  PixelRectangle rectangle{};
  int x = 0;
  int y = 0;
  int right = 0;
  int up = 0;
};

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // The window's client area has this size now, in pixels.
  virtual void resized(int unit, int width, int height) = 0;
  // Closed through the window manager, or destroyed by another program: for good.
  virtual void closed(int unit) = 0;

  // Whether the unit's window shows a plot the user can explore.
  virtual bool explorable(int unit) = 0;
  // What the title shows after the window's own while the pointer is at (x, y) of the
  // client area: the data values there; empty outside the plot or where there are none.
  virtual std::string values_under_pointer(int unit, int x, int y) = 0;
  // Answers the request; a word for the title when there is one to say (what was saved,
  // a zoom that cannot go on).
  virtual std::string explore(int unit, const ExploreRequest& request) = 0;
};

}  // namespace curvist
