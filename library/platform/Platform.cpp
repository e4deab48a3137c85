#include "platform/Platform.hpp"

#include <memory>

#include "console/StandardConsole.hpp"
#include "pgplot/PgplotLibrary.hpp"
#include "window/ScreenWindows.hpp"

namespace curvist {
namespace {

// Installed by a ScopedPlatform; null means the real one.
Console* installed_console = nullptr;
Pgplot* installed_pgplot = nullptr;
WindowOperations* installed_windows = nullptr;

}  // namespace

Console& current_console() {
  if (installed_console != nullptr) return *installed_console;
  static StandardConsole console;
  return console;
}

Pgplot& current_pgplot() {
  if (installed_pgplot != nullptr) return *installed_pgplot;
  static const std::unique_ptr<Pgplot> library = make_pgplot_library();
  return *library;
}

WindowOperations& current_windows() {
  if (installed_windows != nullptr) return *installed_windows;
  // Made on first use, so that a program that never plots on screen never connects to
  // a display.
  static const std::unique_ptr<WindowOperations> windows = make_screen_windows();
  return *windows;
}

ScopedPlatform::ScopedPlatform(Platform platform)
    : previous_console_(installed_console),
      previous_pgplot_(installed_pgplot),
      previous_windows_(installed_windows) {
  installed_console = &platform.console;
  installed_pgplot = &platform.pgplot;
  installed_windows = &platform.windows;
}

ScopedPlatform::~ScopedPlatform() {
  installed_console = previous_console_;
  installed_pgplot = previous_pgplot_;
  installed_windows = previous_windows_;
}

}  // namespace curvist
