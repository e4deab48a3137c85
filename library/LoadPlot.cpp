#include "LoadPlot.hpp"

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "LoadedArrays.hpp"
#include "PgPlot.hpp"
#include "Plot.hpp"
#include "Replot.hpp"
#include "plot/PlotLimits.hpp"
#include "plotfile/PlotFile.hpp"
#include "plotfile/PlotFileName.hpp"
#include "text/TextField.hpp"

namespace curvist::LOADPLOTPACK {
namespace {

// Why the plotters will skip a file that was read: its limits give an axis no range, on
// screen (64-bit limits) or, more rarely, only in the picture (32-bit limits). The same
// step the plotters run decides it.
void explain_unplotted(const PlotFile& file, std::string& why_not) {
  const auto x = file.x_view().elements();
  const auto y = file.y_view().elements();
  if (plot::plot_limits<double>(x, y, false, false, &why_not)) {
    if (!plot::plot_limits<float>(x, y, false, false, &why_not))
      why_not.insert(0, "no picture: in single precision, ");
  }
}

// LOADPLOT's steps; the screen plot goes into the window of `window_unit` when given,
// else into a new window.
void load_plot(std::string_view name, std::optional<std::string_view> DEVICE,
               std::string* why_not_read, std::optional<int> window_unit) {
  const TextField<100> device_type(DEVICE.value_or("ps"));
  const std::string picture_name = plot_file_name(name, device_type.view());

  if (why_not_read != nullptr) why_not_read->clear();
  std::optional<PlotFile> read = read_plot_file(name, why_not_read);
  if (!read) return;
  // The arrays live until the end of the call, whichever way it ends, and after it for as
  // long as the window that keeps the plot for its resizes holds them: only read from
  // now on, they are shared rather than copied.
  const std::shared_ptr<const PlotFile> file = std::make_shared<const PlotFile>(std::move(*read));
  read.reset();
  if (why_not_read != nullptr) explain_unplotted(*file, *why_not_read);

  PLOTPACK::ScreenPlotOptions screen;
  screen.RESOLUTION = 0;
  screen.XLABEL = file->x_caption.trimmed();
  screen.YLABEL = file->y_caption.trimmed();
  screen.TITLE = file->title.view();
  screen.OWNWINDOW = true;
  if (window_unit)
    PLOTPACK::replot_window(*window_unit, file->x_view(), file->y_view(), screen, file, name);
  else
    PLOTPACK::plot_loaded_arrays(file->x_view(), file->y_view(), screen, file, name);

  PGPLOTPACK::FilePlotOptions picture;
  picture.XLABEL = file->x_caption.trimmed();
  picture.YLABEL = file->y_caption.trimmed();
  picture.TITLE = file->title.view();
  picture.FILENAME = picture_name;
  picture.DEVICE = device_type.view();
  PGPLOTPACK::PGPLOTDP(file->x_view(), file->y_view(), picture);
}

}  // namespace

void LOADPLOT(std::string_view name, std::optional<std::string_view> DEVICE,
              std::string* why_not_read) {
  load_plot(name, DEVICE, why_not_read, std::nullopt);
}

void reload_plot(int unit, std::string_view name, std::string* why_not_read) {
  load_plot(name, std::nullopt, why_not_read, unit);
}

}  // namespace curvist::LOADPLOTPACK
