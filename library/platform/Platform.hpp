#pragma once
// Which console, error stream, PGPLOT library and window operations the plotting modules
// and the driver draw and write through. A real run uses the standard console, standard
// error, PGPLOT over giza and screen windows, each made when first asked for; tests and
// curvist-trace install their own for a scope (RecordingPlatform installs the recorders),
// other programs a ChosenPlatform. Only the modules' public operations and the driver ask
// for them, once a call, and hand them down to the parts that draw; nothing below the
// modules reaches for them.

#include "console/ErrorStream.hpp"
#include "platform/PlatformChoice.hpp"

namespace curvist {

class Console;
class Pgplot;
class WindowOperations;

struct Platform {
  Console& console;
  Pgplot& pgplot;
  WindowOperations& windows;
  // Error lines, each after the lines owed before it.
  ErrorStream& errors = standard_error();
};

// The windows the screen plotter opens get the units from 101 on, one after another.
inline constexpr int first_plot_window_unit = 101;

Console& current_console();
ErrorStream& current_errors();
Pgplot& current_pgplot();
WindowOperations& current_windows();
// The unit of the last window the screen plotter opened on the current windows, one below
// the first before it opened any. It lasts as long as the platform: the whole run for the
// real one, the scope for an installed one, so a fresh platform starts from the first unit.
int& current_window_counter();

// Installs a platform until the end of the scope, then restores the one before.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  friend Console& current_console();
  friend ErrorStream& current_errors();
  friend Pgplot& current_pgplot();
  friend WindowOperations& current_windows();
  friend int& current_window_counter();

  Platform platform_;
  int window_counter_ = first_plot_window_unit - 1;
  ScopedPlatform* previous_;
};

}  // namespace curvist
