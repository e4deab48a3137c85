#include "Plot.hpp"

#include <algorithm>

#include "platform/Platform.hpp"
#include "plot/AxisCaptions.hpp"
#include "plot/AxisTicks.hpp"
#include "plot/CaptionCleaning.hpp"
#include "plot/PlotWindow.hpp"
#include "plot/ScreenFrame.hpp"
#include "plot/ScreenLayout.hpp"
#include "plot/ScreenPlot.hpp"

namespace curvist::PLOTPACK {
namespace {

constexpr int no_window_yet = 100;
// The unit of the last window this module opened.
int last_window_unit = no_window_yet;

}  // namespace

void PURGE(std::span<char> text) { plot::remove_escape_pairs(text); }

void PREPARESCREEN(double& xmin, double& xmax, double& ymin, double& ymax, bool /*JOIN*/, bool LOGX,
                   bool LOGY, int RESOLUTION, TextField120& x_caption, TextField120& y_caption,
                   TextField120& title, bool OWNWINDOW, bool REUSEWINDOW) {
  PURGE(x_caption.characters());
  PURGE(y_caption.characters());
  PURGE(title.characters());
  plot::get_plot_window(OWNWINDOW, REUSEWINDOW, title, last_window_unit);
  current_windows().initialise_fonts();
  const auto area = plot::drawing_area(RESOLUTION, OWNWINDOW, last_window_unit);
  if (LOGX) plot::mark_logarithmic(x_caption);
  if (LOGY) plot::mark_logarithmic(y_caption);
  const auto layout = plot::lay_out_screen(area, {xmin, xmax, ymin, ymax});
  plot::draw_frame(area, REUSEWINDOW);
  plot::set_mapping(layout);
  plot::draw_axes(layout);
  plot::set_up_text();
  plot::draw_captions(layout, x_caption, y_caption);
  plot::draw_ticks(layout);
}

void KILLSCREEN(bool OWNWINDOW) {
  if (OWNWINDOW) return;
  current_console().read_line();
  auto& windows = current_windows();
  windows.set_text_mode(-1);
  windows.clear_screen(0);
  windows.select_font("t'Terminal'h12w8");
  windows.set_text_colour(7);
}

void PLOTDP(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
            const ScreenPlotOptions& options) {
  plot::screen_plot(X.elements(), Y.elements(), matrix_curves(X, Y), plot::settings_from(options),
                    plot::OrderCheck::unjoin_unordered);
}

void PLOTSP(ColumnMajorView<const float> X, ColumnMajorView<const float> Y,
            const ScreenPlotOptions& options) {
  plot::screen_plot(X.elements(), Y.elements(), matrix_curves(X, Y), plot::settings_from(options),
                    plot::OrderCheck::keep_join);
}

void PLOTLISTDP(std::span<const double> X, std::span<const double> Y,
                const ScreenListPlotOptions& options) {
  plot::screen_plot(X, Y, list_curves(X, Y, options.NCURVES.value_or(1)),
                    plot::settings_from(options), plot::OrderCheck::keep_join);
}

void PLOTLISTSP(std::span<const float> X, std::span<const float> Y,
                const ScreenListPlotOptions& options) {
  plot::screen_plot(X, Y, list_curves(X, Y, options.NCURVES.value_or(1)),
                    plot::settings_from(options), plot::OrderCheck::keep_join);
}

int window_counter() { return last_window_unit; }

void reset_window_counter() { last_window_unit = no_window_yet; }

}  // namespace curvist::PLOTPACK
