#include "platform/PlatformChoice.hpp"

#include <string>
#include <utility>

#include "console/StandardConsole.hpp"
#include "pgplot/PgplotLibrary.hpp"
#include "platform/Platform.hpp"
#include "window/OffscreenWindows.hpp"
#include "window/ScreenWindows.hpp"

namespace curvist {
namespace {

std::unique_ptr<WindowOperations> make_windows(PlotWindows choice) {
  // Never shown, but the program may write them as pictures (write_window_png): every
  // window keeps its pixels, in their compact form.
  if (choice == PlotWindows::offscreen) return std::make_unique<OffscreenWindows>();
  return make_screen_windows();
}

}  // namespace

struct ChosenPlatform::Services {
  Services(PlotWindows windows_choice, Console* console)
      : windows(make_windows(windows_choice)),
        installed({console != nullptr ? *console : standard_console, *pgplot, *windows}) {}

  StandardConsole standard_console;
  const std::unique_ptr<Pgplot> pgplot = make_pgplot_library();
  const std::unique_ptr<WindowOperations> windows;
  ScopedPlatform installed;
};

ChosenPlatform::ChosenPlatform(PlotWindows windows)
    : services_(std::make_unique<Services>(windows, nullptr)) {}

ChosenPlatform::ChosenPlatform(PlotWindows windows, Console& console)
    : services_(std::make_unique<Services>(windows, &console)) {}

ChosenPlatform::~ChosenPlatform() = default;

void keep_windows_until_closed() { current_windows().keep_windows_until_closed(); }

bool write_window_png(int unit, std::string_view file_name, std::string* why_not) {
  std::string error;
  const bool written = current_windows().write_png(unit, file_name, error);
  if (!written && why_not != nullptr) *why_not = std::move(error);
  return written;
}

}  // namespace curvist
