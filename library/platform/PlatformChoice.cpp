#include "platform/PlatformChoice.hpp"

#include "console/StandardConsole.hpp"
#include "pgplot/PgplotLibrary.hpp"
#include "platform/Platform.hpp"
#include "window/OffscreenWindows.hpp"
#include "window/ScreenWindows.hpp"

namespace curvist {
namespace {

std::unique_ptr<WindowOperations> make_windows(PlotWindows choice) {
  // Never shown, and read back by nobody: a window's pixels go once it is done with.
  if (choice == PlotWindows::offscreen)
    return std::make_unique<OffscreenWindows>(ScreenSize{}, LeftWindowPixels::given_back);
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

}  // namespace curvist
