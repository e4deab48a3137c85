#pragma once
// What the plotting modules draw and write through: the console, the PGPLOT library and
// the window operations. A real run uses the standard console, PGPLOT over giza and
// screen windows, each made when first used; tests and curvist-trace install recorders
// for a scope.

#include "console/Console.hpp"
#include "pgplot/PgplotInterface.hpp"
#include "window/WindowOperations.hpp"

namespace curvist {

struct Platform {
  Console& console;
  Pgplot& pgplot;
  WindowOperations& windows;
};

Console& current_console();
Pgplot& current_pgplot();
WindowOperations& current_windows();

// Installs a platform until the end of the scope, then restores the one before.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Console* previous_console_;
  Pgplot* previous_pgplot_;
  WindowOperations* previous_windows_;
};

}  // namespace curvist
