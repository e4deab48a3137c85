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

namespace curvist {

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // The window's client area has this size now, in pixels.
  virtual void resized(int unit, int width, int height) = 0;
  // Closed through the window manager, or destroyed by another program: for good.
  virtual void closed(int unit) = 0;
};

}  // namespace curvist
