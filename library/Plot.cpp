#include "Plot.hpp"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <utility>

#include "LoadedArrays.hpp"
#include "Replot.hpp"
#include "ViewPicture.hpp"
#include "array/CurveRuns.hpp"
#include "console/Console.hpp"
#include "console/SilentConsole.hpp"
#include "platform/Platform.hpp"
#include "plot/AxisCaptions.hpp"
#include "plot/AxisTicks.hpp"
#include "plot/CaptionCleaning.hpp"
#include "plot/KeptCurves.hpp"
#include "plot/PlotSettings.hpp"
#include "plot/PlotWindow.hpp"
#include "plot/ScreenCurves.hpp"
#include "plot/ScreenFonts.hpp"
#include "plot/ScreenFrame.hpp"
#include "plot/ScreenLayout.hpp"
#include "window/RedrawablePlot.hpp"
#include "window/WindowOperations.hpp"

namespace curvist::PLOTPACK {
namespace {

// The size of the drawing area it laid the plot out on.
plot::DrawingArea prepare_screen(WindowOperations& windows, Console& console, int& window_counter,
                                 double& xmin, double& xmax, double& ymin, double& ymax, bool LOGX,
                                 bool LOGY, int RESOLUTION, TextField120& x_caption,
                                 TextField120& y_caption, TextField120& title, bool OWNWINDOW,
                                 bool REUSEWINDOW) {
  PURGE(x_caption.characters());
  PURGE(y_caption.characters());
  PURGE(title.characters());
  plot::get_plot_window(windows, console, OWNWINDOW, REUSEWINDOW, title, window_counter);
  windows.initialise_fonts();
  const auto area = plot::drawing_area(windows, console, RESOLUTION, OWNWINDOW, window_counter,
                                       window_counter == first_plot_window_unit);
  if (LOGX) plot::mark_logarithmic(x_caption);
  if (LOGY) plot::mark_logarithmic(y_caption);
  const auto layout = plot::lay_out_screen(area, {xmin, xmax, ymin, ymax});
  plot::draw_frame(windows, area, REUSEWINDOW);
  plot::set_mapping(windows, layout);
  plot::draw_axes(windows, layout);
  plot::set_up_text(windows);
  plot::draw_captions(windows, layout, x_caption, y_caption);
  plot::draw_ticks(windows, layout);
  return area;
}

void kill_screen(WindowOperations& windows, Console& console, bool OWNWINDOW) {
  if (OWNWINDOW) return;
  console.read_line();
  windows.set_text_mode(-1);
  windows.clear_screen(0);
  windows.select_font(plot::terminal_font);
  windows.set_text_colour(7);
}

// Whether x values that go back inside a curve turn the joining lines off for the whole
// plot. Only PLOTDP checks, and the difference is deliberate: it is the plot every data
// file gets, where x values that go back mean points in no order of x, and lines between
// them would be a scribble, so the points are only marked. The other operations join in
// storage order whatever x does (a curve may turn back on itself), and their callers get
// exactly that.
enum class OrderCheck { unjoin_unordered, keep_join };

// The limits are 64-bit whatever the element type; so are their logarithms.
using ScreenSettings = plot::PlotSettings<double, TextField120::length>;

// The window with its frame, and the curves: what a screen plot draws once its settings
// are made. The size of the drawing area it laid the plot out on.
template <typename Element>
plot::DrawingArea draw_screen_plot(WindowOperations& windows, Console& console, int& window_counter,
                                   const ScreenSettings& settings, const CurveRuns<Element>& curves,
                                   bool JOIN, int RESOLUTION, bool OWNWINDOW, bool REUSEWINDOW) {
  // The window's steps change the captions in place; the settings stay as they were, for
  // a plot drawn again.
  auto captions = settings.captions;
  auto limits = settings.limits;
  const auto area = prepare_screen(windows, console, window_counter, limits.xmin, limits.xmax,
                                   limits.ymin, limits.ymax, settings.flags.log_x,
                                   settings.flags.log_y, RESOLUTION, captions.x_caption,
                                   captions.y_caption, captions.title, OWNWINDOW, REUSEWINDOW);
  plot::draw_curves(windows, curves, settings.template x_values<Element>(),
                    settings.template y_values<Element>(), JOIN);
  return area;
}

// A plot laid out to its own window, kept so that the window can be drawn again when the
// user resizes it. Drawing it runs the first plot's very steps with the same settings,
// as a new window of the unit it is given, with a window counter of its own and a
// console that writes nothing: the pixels are those of a fresh plot at the window's new
// size, and the run's console, window counter and windows are left alone.
//
// What it holds: a copy of the drawn points in their own precision (16 bytes a point for
// 64-bit curves, 8 for 32-bit ones), or the arrays themselves where the library read
// them, and the settings (three 120-character captions, the limits and the flags: half a
// kilobyte).
template <typename Element>
class KeptScreenPlot final : public RedrawablePlot {
 public:
  KeptScreenPlot(const ScreenSettings& settings, plot::KeptCurves<Element> curves, bool JOIN,
                 int RESOLUTION, std::string saved_name)
      : settings_(settings),
        curves_(std::move(curves)),
        JOIN_(JOIN),
        RESOLUTION_(RESOLUTION),
        saved_name_(std::move(saved_name)) {}

  void draw(WindowOperations& windows, int unit) const override {
    draw_with(windows, unit, settings_);
  }

  std::optional<PlotView> whole_view() const override {
    const auto& limits = settings_.limits;
    return PlotView{limits.xmin, limits.xmax,           limits.ymin,
                    limits.ymax, settings_.flags.log_x, settings_.flags.log_y};
  }

  // The layout widens the view's range as it widens the data's; the curves beyond it are
  // cut off at the viewport, which is the plot's frame.
  void draw_view(WindowOperations& windows, int unit, const PlotView& view) const override {
    ScreenSettings viewed = settings_;
    viewed.limits.xmin = view.xmin;
    viewed.limits.xmax = view.xmax;
    viewed.limits.ymin = view.ymin;
    viewed.limits.ymax = view.ymax;
    draw_with(windows, unit, viewed);
  }

  std::string saved_name() const override { return saved_name_; }

  void write_picture(const PlotView& view, std::string_view file_name) const override {
    const auto& captions = settings_.captions;
    PGPLOTPACK::FilePlotOptions options;
    options.JOIN = settings_.flags.join;
    options.LOGX = settings_.flags.log_x;
    options.LOGY = settings_.flags.log_y;
    options.XLABEL = captions.x_caption.trimmed();
    options.YLABEL = captions.y_caption.trimmed();
    options.TITLE = captions.title.view();
    options.FILENAME = file_name;
    PGPLOTPACK::picture_of_view(curves_.runs(), options, view);
  }

 private:
  void draw_with(WindowOperations& windows, int unit, const ScreenSettings& settings) const {
    SilentConsole console;
    int window_counter = unit - 1;
    draw_screen_plot(windows, console, window_counter, settings, curves_.runs(), JOIN_, RESOLUTION_,
                     true, false);
  }

  ScreenSettings settings_;
  plot::KeptCurves<Element> curves_;
  bool JOIN_;
  int RESOLUTION_;
  std::string saved_name_;
};

// What files saved of a plot's window are named after: its data file without the
// extension, beside it; else its title, in the current folder, with the characters a
// file name cannot hold replaced.
std::string saved_name_of(std::string_view data_file, std::string_view title) {
  if (!data_file.empty()) return std::filesystem::path(data_file).replace_extension().string();
  std::string name(without_blanks_around(title));
  std::replace(name.begin(), name.end(), '/', '_');
  if (name.empty() || name == "." || name == "..") name = "plot";
  return name;
}

// The plot kept to draw a window again, or null when there is no memory for its copy;
// then one line on standard error says so and what the window does instead (`otherwise`).
// With `arrays` (what keeps the curves' arrays alive, unchanged from now on) the plot
// keeps them rather than a copy.
template <typename Element>
std::shared_ptr<const RedrawablePlot> kept_plot(const ScreenSettings& settings,
                                                const CurveRuns<Element>& curves, bool JOIN,
                                                int RESOLUTION, std::string_view otherwise,
                                                std::shared_ptr<const void> arrays,
                                                std::string_view data_file) {
  try {
    auto kept = arrays ? plot::KeptCurves<Element>(curves, std::move(arrays))
                       : plot::KeptCurves<Element>(curves);
    return std::make_shared<const KeptScreenPlot<Element>>(
        settings, std::move(kept), JOIN, RESOLUTION,
        saved_name_of(data_file, settings.captions.title.view()));
  } catch (const std::bad_alloc&) {
    std::cerr << "curvist: no memory to keep the plot \""
              << without_blanks_around(settings.captions.title.view()) << "\" for redrawing; "
              << otherwise << '\n';
    return nullptr;
  }
}

// The joining lines of a plot: JOIN as its settings have it, unless x values that go
// back turn them off.
template <typename Element>
bool joined(const ScreenSettings& settings, const CurveRuns<Element>& curves,
            OrderCheck order_check) {
  const bool JOIN = settings.flags.join;
  if (order_check == OrderCheck::unjoin_unordered && JOIN)
    return plot::abscissae_in_order(curves, settings.template x_values<Element>());
  return JOIN;
}

// One screen plot of curves from the caller's arrays, whatever their precision and layout:
// the settings and limits, the window with its frame, the curves, and the close. all_x and
// all_y are the whole arrays the limits come from; `arrays`, when given, keeps them alive
// unchanged for a window that keeps the plot.
template <typename Element, typename Options>
void screen_plot(std::span<const Element> all_x, std::span<const Element> all_y,
                 const CurveRuns<Element>& curves, const Options& options, OrderCheck order_check,
                 std::shared_ptr<const void> arrays = nullptr, std::string_view data_file = {}) {
  const auto settings = plot::plot_settings<double, TextField120::length>(options, all_x, all_y);
  if (!settings) return;
  const int RESOLUTION = options.RESOLUTION.value_or(1);
  const bool OWNWINDOW = options.OWNWINDOW.value_or(false);
  const bool REUSEWINDOW = options.REUSEWINDOW.value_or(false);
  const bool JOIN = joined(*settings, curves, order_check);

  WindowOperations& windows = current_windows();
  Console& console = current_console();
  int& window_counter = current_window_counter();
  const auto area = draw_screen_plot(windows, console, window_counter, *settings, curves, JOIN,
                                     RESOLUTION, OWNWINDOW, REUSEWINDOW);
  // Laid out to a window of its own, the plot follows that window's size; a plot of a
  // fixed size keeps its pixels, and so does one drawn into the active window, which was
  // measured on the console.
  if (OWNWINDOW && RESOLUTION <= 0 && windows.windows_follow_resizes()) {
    if (auto plot =
            kept_plot(*settings, curves, JOIN, RESOLUTION,
                      "its window keeps its pixels when resized", std::move(arrays), data_file))
      windows.follow_resizes(window_counter, area.measured_cells, REUSEWINDOW, std::move(plot));
  }
  kill_screen(windows, console, OWNWINDOW);
}

}  // namespace

void PURGE(std::span<char> text) { plot::remove_escape_pairs(text); }

void PREPARESCREEN(double& xmin, double& xmax, double& ymin, double& ymax, bool /*JOIN*/, bool LOGX,
                   bool LOGY, int RESOLUTION, TextField120& x_caption, TextField120& y_caption,
                   TextField120& title, bool OWNWINDOW, bool REUSEWINDOW) {
  prepare_screen(current_windows(), current_console(), current_window_counter(), xmin, xmax, ymin,
                 ymax, LOGX, LOGY, RESOLUTION, x_caption, y_caption, title, OWNWINDOW, REUSEWINDOW);
}

void KILLSCREEN(bool OWNWINDOW) {
  // An own window is left as it is: nothing of the platform is needed.
  if (OWNWINDOW) return;
  kill_screen(current_windows(), current_console(), OWNWINDOW);
}

void plot_loaded_arrays(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
                        const ScreenPlotOptions& options, std::shared_ptr<const void> arrays,
                        std::string_view data_file) {
  screen_plot(X.elements(), Y.elements(), matrix_curves(X, Y), options,
              OrderCheck::unjoin_unordered, std::move(arrays), data_file);
}

// A caller's arrays are its own: a plot kept for redrawing copies them.
void PLOTDP(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
            const ScreenPlotOptions& options) {
  plot_loaded_arrays(X, Y, options, nullptr, {});
}

void PLOTSP(ColumnMajorView<const float> X, ColumnMajorView<const float> Y,
            const ScreenPlotOptions& options) {
  screen_plot(X.elements(), Y.elements(), matrix_curves(X, Y), options, OrderCheck::keep_join);
}

void PLOTLISTDP(std::span<const double> X, std::span<const double> Y,
                const ScreenListPlotOptions& options) {
  screen_plot(X, Y, list_curves(X, Y, options.NCURVES.value_or(1)), options, OrderCheck::keep_join);
}

void PLOTLISTSP(std::span<const float> X, std::span<const float> Y,
                const ScreenListPlotOptions& options) {
  screen_plot(X, Y, list_curves(X, Y, options.NCURVES.value_or(1)), options, OrderCheck::keep_join);
}

std::string why_no_plot(std::span<const double> X, std::span<const double> Y, bool LOGX,
                        bool LOGY) {
  return plot::why_no_limits<double>(X, Y, LOGX, LOGY);
}

std::string why_no_plot(std::span<const float> X, std::span<const float> Y, bool LOGX, bool LOGY) {
  return plot::why_no_limits<double>(X, Y, LOGX, LOGY);
}

int window_counter() { return current_window_counter(); }

bool replot_window(int unit, ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
                   const ScreenPlotOptions& options, std::shared_ptr<const void> arrays,
                   std::string_view data_file) {
  const auto settings =
      plot::plot_settings<double, TextField120::length>(options, X.elements(), Y.elements());
  if (!settings) return false;
  const auto curves = matrix_curves(X, Y);
  // The plot drawn afresh is the plot the window keeps: the same object draws it now and
  // whenever the window is resized.
  auto plot = kept_plot(*settings, curves, joined(*settings, curves, OrderCheck::unjoin_unordered),
                        0, "its window shows the plot it showed", std::move(arrays), data_file);
  return plot && current_windows().replace_plot(unit, std::move(plot));
}

}  // namespace curvist::PLOTPACK
