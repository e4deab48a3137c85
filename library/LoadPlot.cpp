#include "LoadPlot.hpp"

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "LoadStep.hpp"
#include "LoadedArrays.hpp"
#include "PgPlot.hpp"
#include "plot/PlotLimits.hpp"
#include "plotfile/PlotFile.hpp"
#include "plotfile/PlotFileName.hpp"
#include "text/TextField.hpp"

namespace curvist::LOADPLOTPACK {
namespace {

// Why the plotters will skip a file that was read: its limits give an axis no range, on
// screen (64-bit limits) or, more rarely, only in the picture (32-bit limits). The same
// step the plotters run decides it.
std::string why_unplotted(const PlotFile& file) {
  const auto x = file.x_view().elements();
  const auto y = file.y_view().elements();
  if (const auto screen = plot::plot_limits<double>(x, y, false, false); !screen)
    return screen.why_not();
  if (const auto picture = plot::plot_limits<float>(x, y, false, false); !picture)
    return "no picture: in single precision, " + picture.why_not();
  return {};
}

// The steps after reading.
LoadOutcome plot_what_was_read(Refusable<PlotFile> read, std::string_view name,
                               std::optional<std::string_view> device_type, Reasons reasons,
                               std::optional<int> window_unit) {
  const TextField<100> device(device_type.value_or("ps"));
  const std::string picture_name = plot_file_name(name, device.view());
  if (!read) return {std::nullopt, read.why_not()};
  // The arrays live until the end of the call, whichever way it ends, and after it for as
  // long as the window that keeps the plot for its resizes holds them: only read from
  // now on, they are shared rather than copied.
  const std::shared_ptr<const PlotFile> file = std::make_shared<const PlotFile>(std::move(*read));
  LoadOutcome outcome;
  if (reasons == Reasons::asked) outcome.why_not = why_unplotted(*file);

  const PLOTPACK::LoadedCurves curves{file->x_view(),
                                      file->y_view(),
                                      file->x_caption.trimmed(),
                                      file->y_caption.trimmed(),
                                      file->title.view(),
                                      file,
                                      name};
  if (!window_unit)
    outcome.window_unit = PLOTPACK::plot_in_new_window(curves);
  else if (PLOTPACK::replot_window(*window_unit, curves))
    outcome.window_unit = window_unit;

  PGPLOTPACK::FilePlotOptions picture;
  picture.XLABEL = curves.x_caption;
  picture.YLABEL = curves.y_caption;
  picture.TITLE = curves.title;
  picture.FILENAME = picture_name;
  picture.DEVICE = device.view();
  PGPLOTPACK::PGPLOTDP(file->x_view(), file->y_view(), picture);
  return outcome;
}

}  // namespace

LoadOutcome load_plot(std::string_view name, std::optional<std::string_view> device_type,
                      Reasons reasons, std::optional<int> window_unit) {
  return plot_what_was_read(read_plot_file(name, reasons), name, device_type, reasons, window_unit);
}

LoadOutcome load_plot(FileText& text, std::string_view name,
                      std::optional<std::string_view> device_type, Reasons reasons,
                      std::optional<int> window_unit) {
  return plot_what_was_read(read_plot_file(text, reasons), name, device_type, reasons, window_unit);
}

void LOADPLOT(std::string_view name, std::optional<std::string_view> DEVICE,
              std::string* why_not_read) {
  const auto outcome =
      load_plot(name, DEVICE, why_not_read != nullptr ? Reasons::asked : Reasons::unasked);
  if (why_not_read != nullptr) *why_not_read = outcome.why_not;
}

}  // namespace curvist::LOADPLOTPACK
