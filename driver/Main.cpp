#include "Main.hpp"

#include "LoadPlot.hpp"
#include "Run.hpp"
#include "platform/Platform.hpp"

namespace curvist {

int MAIN() {
  bool plotted = false;
  const int status = run_in_current_folder([&plotted](std::string_view name) {
    LOADPLOTPACK::LOADPLOT(name);
    plotted = true;
  });
  // The windows are asked for only when a plot may have opened one: a run that plotted
  // nothing never connects to a display.
  if (plotted) keep_windows_until_closed();
  return status;
}

}  // namespace curvist
