#include "Main.hpp"

#include <string>

#include "LoadPlot.hpp"
#include "PgPlot.hpp"
#include "Run.hpp"
#include "SkippedFile.hpp"
#include "platform/PicturesInBackground.hpp"
#include "platform/Platform.hpp"

namespace curvist {

int MAIN(const RunOptions& options) {
  const int unwritten_before = PGPLOTPACK::unwritten_pictures();
  bool plotted = false;
  const auto plot = [&](std::string_view name) {
    std::string why_not;
    LOADPLOTPACK::LOADPLOT(name, std::nullopt, options.explain ? &why_not : nullptr);
    if (!why_not.empty()) explain_skipped(name, why_not);
    plotted = true;
  };
  int status = 0;
  {
    // The picture of one file is drawn while the next file is read and plotted on screen.
    const PicturesInBackground pictures;
    status = run_in_current_folder(plot, options);
  }
  // The windows are asked for only when a plot may have opened one: a run that plotted
  // nothing never connects to a display.
  if (plotted) keep_windows_until_closed();
  if (status != 0) return status;
  // Every other picture may be in place, but the run did not do what was asked.
  return PGPLOTPACK::unwritten_pictures() > unwritten_before ? 1 : 0;
}

}  // namespace curvist
