#include "platform/Platform.hpp"

#include <memory>

#include "console/StandardConsole.hpp"
#include "pgplot/PgplotLibrary.hpp"
#include "window/ScreenWindows.hpp"

namespace curvist {
namespace {

// The innermost installed platform; null means the real one.
ScopedPlatform* installed = nullptr;

}  // namespace

Console& current_console() {
  if (installed != nullptr) return installed->platform_.console;
  static StandardConsole console;
  return console;
}

ErrorStream& current_errors() {
  if (installed != nullptr) return installed->platform_.errors;
  return standard_error();
}

Pgplot& current_pgplot() {
  if (installed != nullptr) return installed->platform_.pgplot;
  static const std::unique_ptr<Pgplot> library = make_pgplot_library();
  return *library;
}

WindowOperations& current_windows() {
  if (installed != nullptr) return installed->platform_.windows;
  // Made on first use, so that a program that never plots on screen never connects to
  // a display.
  static const std::unique_ptr<WindowOperations> windows = make_screen_windows();
  return *windows;
}

int& current_window_counter() {
  if (installed != nullptr) return installed->window_counter_;
  static int window_counter = first_plot_window_unit - 1;
  return window_counter;
}

ScopedPlatform::ScopedPlatform(Platform platform) : platform_(platform), previous_(installed) {
  installed = this;
}

ScopedPlatform::~ScopedPlatform() { installed = previous_; }

}  // namespace curvist
