#include "Plot.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "LoadedArrays.hpp"
#include "PgPlot.hpp"
#include "ViewPicture.hpp"
#include "array/CurveRuns.hpp"
#include "console/Console.hpp"
#include "console/ErrorStream.hpp"
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

// The limits are 64-bit whatever the element type; so are their logarithms.
using ScreenSettings = plot::PlotSettings<double, TextField120::length>;
using ScreenCaptions = plot::WorkingCaptions<TextField120::length>;

// What the screen's steps draw through, handed down from the platform.
struct ScreenServices {
  WindowOperations& windows;
  Console& console;
  int& window_counter;  // the unit of the last window opened
};

ScreenServices current_screen() {
  return {current_windows(), current_console(), current_window_counter()};
}

template <typename Options>
plot::ScreenPlacement placement_of(const Options& options) {
  return {options.RESOLUTION.value_or(1), options.OWNWINDOW.value_or(false),
          options.REUSEWINDOW.value_or(false)};
}

// The window, its frame, axes, captions and ticks for the limits, with the mapping left
// set for drawing in data units; the captions are changed in place. The size of the
// drawing area it laid the plot out on.
plot::DrawingArea prepare_screen(const ScreenServices& screen,
                                 const plot::PlotLimits<double>& limits,
                                 const plot::PlotFlags& flags, ScreenCaptions& captions,
                                 const plot::ScreenPlacement& placement) {
  WindowOperations& windows = screen.windows;
  PURGE(captions.x_caption.characters());
  PURGE(captions.y_caption.characters());
  PURGE(captions.title.characters());
  plot::get_plot_window(windows, screen.console, placement, captions.title, screen.window_counter);
  windows.initialise_fonts();
  const auto area = plot::drawing_area(windows, screen.console, placement, screen.window_counter,
                                       screen.window_counter == first_plot_window_unit);
  if (flags.log_x) plot::mark_logarithmic(captions.x_caption);
  if (flags.log_y) plot::mark_logarithmic(captions.y_caption);
  const auto layout =
      plot::lay_out_screen(area, {limits.xmin, limits.xmax, limits.ymin, limits.ymax});
  plot::draw_frame(windows, area, placement.reuse_window);
  plot::set_mapping(windows, layout);
  plot::draw_axes(windows, layout);
  plot::set_up_text(windows);
  plot::draw_captions(windows, layout, captions.x_caption, captions.y_caption);
  plot::draw_ticks(windows, layout);
  return area;
}

void kill_screen(const ScreenServices& screen, bool own_window) {
  if (own_window) return;
  screen.console.read_line();
  screen.windows.set_text_mode(-1);
  screen.windows.clear_screen(0);
  screen.windows.select_font(plot::terminal_font);
  screen.windows.set_text_colour(7);
}

// Whether x values that go back inside a curve turn the joining lines off for the whole
// plot. Only PLOTDP checks, and the difference is deliberate: it is the plot every data
// file gets, where x values that go back mean points in no order of x, and lines between
// them would be a scribble, so the points are only marked. The other operations join in
// storage order whatever x does (a curve may turn back on itself), and their callers get
// exactly that.
enum class OrderCheck { unjoin_unordered, keep_join };

// A screen plot once its settings are made: the curves, whether they are joined, and
// where the plot goes.
template <typename Element>
struct ScreenPlot {
  const ScreenSettings& settings;
  CurveRuns<Element> curves;
  bool join;
  plot::ScreenPlacement placement;
};

// The window with its frame, and the curves. The size of the drawing area it laid the
// plot out on.
template <typename Element>
plot::DrawingArea draw_screen_plot(const ScreenServices& screen, const ScreenPlot<Element>& plot) {
  // The window's steps change the captions in place; the settings stay as they were, for
  // a plot drawn again.
  auto captions = plot.settings.captions;
  const auto area =
      prepare_screen(screen, plot.settings.limits, plot.settings.flags, captions, plot.placement);
  plot::draw_curves(screen.windows, plot.curves, plot.settings.template x_values<Element>(),
                    plot.settings.template y_values<Element>(), plot.join);
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
  KeptScreenPlot(const ScreenPlot<Element>& plot, plot::KeptCurves<Element> curves,
                 std::string saved_name)
      : settings_(plot.settings),
        curves_(std::move(curves)),
        join_(plot.join),
        resolution_(plot.placement.resolution),
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
    draw_screen_plot<Element>({windows, console, window_counter},
                              {settings, curves_.runs(), join_, {resolution_, true, false}});
  }

  ScreenSettings settings_;
  plot::KeptCurves<Element> curves_;
  bool join_;
  int resolution_;
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
// then one error line says so and what the window does instead (`otherwise`).
// With `arrays` (what keeps the curves' arrays alive, unchanged from now on) the plot
// keeps them rather than a copy.
template <typename Element>
std::shared_ptr<const RedrawablePlot> kept_plot(ErrorStream& errors,
                                                const ScreenPlot<Element>& plot,
                                                std::string_view otherwise,
                                                std::shared_ptr<const void> arrays,
                                                std::string_view data_file) {
  try {
    auto kept = arrays ? plot::KeptCurves<Element>(plot.curves, std::move(arrays))
                       : plot::KeptCurves<Element>(plot.curves);
    return std::make_shared<const KeptScreenPlot<Element>>(
        plot, std::move(kept), saved_name_of(data_file, plot.settings.captions.title.view()));
  } catch (const std::bad_alloc&) {
    errors.write_line("curvist: no memory to keep the plot \"" +
                      std::string(without_blanks_around(plot.settings.captions.title.view())) +
                      "\" for redrawing; " + std::string(otherwise));
    return nullptr;
  }
}

// The joining lines of a plot: as its settings have them, unless x values that go back
// turn them off.
template <typename Element>
bool joined(const ScreenSettings& settings, const CurveRuns<Element>& curves,
            OrderCheck order_check) {
  if (order_check == OrderCheck::unjoin_unordered && settings.flags.join)
    return plot::abscissae_in_order(curves, settings.template x_values<Element>());
  return settings.flags.join;
}

// One screen plot of curves from the caller's arrays, whatever their precision and layout:
// the settings and limits, the window with its frame, the curves, and the close. all_x and
// all_y are the whole arrays the limits come from; `arrays`, when given, keeps them alive
// unchanged for a window that keeps the plot. The unit of the window drawn into; nothing
// when the plot is skipped.
template <typename Element, typename Options>
std::optional<int> screen_plot(std::span<const Element> all_x, std::span<const Element> all_y,
                               const CurveRuns<Element>& curves, const Options& options,
                               OrderCheck order_check, std::shared_ptr<const void> arrays = nullptr,
                               std::string_view data_file = {}) {
  const auto settings = plot::plot_settings<double, TextField120::length>(options, all_x, all_y);
  if (!settings) return std::nullopt;
  const ScreenPlot<Element> plot{*settings, curves, joined(*settings, curves, order_check),
                                 placement_of(options)};
  const ScreenServices screen = current_screen();
  const auto area = draw_screen_plot(screen, plot);
  // Laid out to a window of its own, the plot follows that window's size; a plot of a
  // fixed size keeps its pixels, and so does one drawn into the active window, which was
  // measured on the console.
  const auto& placement = plot.placement;
  if (placement.own_window && placement.resolution <= 0 &&
      screen.windows.windows_follow_resizes()) {
    if (auto kept = kept_plot(current_errors(), plot, "its window keeps its pixels when resized",
                              std::move(arrays), data_file))
      screen.windows.follow_resizes(screen.window_counter, area.measured_cells,
                                    placement.reuse_window, std::move(kept));
  }
  kill_screen(screen, placement.own_window);
  return screen.window_counter;
}

// A file's curves as the options of a plot laid out to a window of its own.
ScreenPlotOptions own_window_options(const LoadedCurves& curves) {
  ScreenPlotOptions options;
  options.RESOLUTION = 0;
  options.XLABEL = curves.x_caption;
  options.YLABEL = curves.y_caption;
  options.TITLE = curves.title;
  options.OWNWINDOW = true;
  return options;
}

}  // namespace

void PURGE(std::span<char> text) { plot::remove_escape_pairs(text); }

void PREPARESCREEN(double& xmin, double& xmax, double& ymin, double& ymax, bool JOIN, bool LOGX,
                   bool LOGY, int RESOLUTION, TextField120& x_caption, TextField120& y_caption,
                   TextField120& title, bool OWNWINDOW, bool REUSEWINDOW) {
  ScreenCaptions captions{x_caption, y_caption, title};
  prepare_screen(current_screen(), {xmin, xmax, ymin, ymax, false}, {JOIN, LOGX, LOGY}, captions,
                 {RESOLUTION, OWNWINDOW, REUSEWINDOW});
  x_caption = captions.x_caption;
  y_caption = captions.y_caption;
  title = captions.title;
}

void KILLSCREEN(bool OWNWINDOW) {
  // An own window is left as it is: nothing of the platform is needed.
  if (OWNWINDOW) return;
  kill_screen(current_screen(), OWNWINDOW);
}

std::optional<int> plot_in_new_window(const LoadedCurves& curves) {
  return screen_plot(curves.x.elements(), curves.y.elements(), matrix_curves(curves.x, curves.y),
                     own_window_options(curves), OrderCheck::unjoin_unordered, curves.arrays,
                     curves.data_file);
}

// A caller's arrays are its own: a plot kept for redrawing copies them.
void PLOTDP(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
            const ScreenPlotOptions& options) {
  screen_plot(X.elements(), Y.elements(), matrix_curves(X, Y), options,
              OrderCheck::unjoin_unordered);
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

bool replot_window(int unit, const LoadedCurves& loaded) {
  const auto settings = plot::plot_settings<double, TextField120::length>(
      own_window_options(loaded), loaded.x.elements(), loaded.y.elements());
  if (!settings) return false;
  const auto curves = matrix_curves(loaded.x, loaded.y);
  // The plot drawn afresh is the plot the window keeps: the same object draws it now and
  // whenever the window is resized.
  auto kept = kept_plot(current_errors(),
                        ScreenPlot<double>{*settings,
                                           curves,
                                           joined(*settings, curves, OrderCheck::unjoin_unordered),
                                           {0, true, false}},
                        "its window shows the plot it showed", loaded.arrays, loaded.data_file);
  return kept && current_windows().replace_plot(unit, std::move(kept));
}

}  // namespace curvist::PLOTPACK
