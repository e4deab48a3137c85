#include "Main.hpp"

#include "LoadPlot.hpp"
#include "PgPlot.hpp"
#include "Run.hpp"
#include "platform/Platform.hpp"

namespace curvist {

int MAIN() {
  const int unwritten_before = PGPLOTPACK::unwritten_pictures();
  bool plotted = false;
  const int status = run_in_current_folder([&plotted](std::string_view name) {
    LOADPLOTPACK::LOADPLOT(name);
    plotted = true;
  });
  // The windows are asked for only when a plot may have opened one: a run that plotted
  // nothing never connects to a display.
  if (plotted) current_windows().keep_windows_until_closed();
  if (status != 0) return status;
  // Every other picture may be in place, but the run did not do what was asked.
  return PGPLOTPACK::unwritten_pictures() > unwritten_before ? 1 : 0;
}

}  // namespace curvist
