#include "Main.hpp"

#include "FilePlot.hpp"
#include "platform/Platform.hpp"

namespace curvist {

int MAIN(const RunOptions& options) {
  const UnwrittenPictures unwritten;
  bool plotted = false;
  const int status = run_with_pictures_in_background(
      [&](std::string_view name, FileText& text) {
        load_or_explain(text, name, options);
        plotted = true;
      },
      options);
  // The windows are asked for only when a plot may have opened one: a run that plotted
  // nothing never connects to a display.
  if (plotted) keep_windows_until_closed();
  return status != 0 ? status : unwritten.status();
}

}  // namespace curvist
