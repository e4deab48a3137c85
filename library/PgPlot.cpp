#include "PgPlot.hpp"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "array/CurveRuns.hpp"
#include "array/Extremes.hpp"
#include "platform/Platform.hpp"
#include "text/Blanks.hpp"

namespace curvist::PGPLOTPACK {
namespace {

constexpr std::string_view default_x_caption = "x";
constexpr std::string_view default_y_caption = "y";
constexpr std::string_view default_title = "Representation of y=y(x)";
constexpr std::string_view default_file_name = "Plot.ps";
constexpr std::string_view default_device_type = "ps";
constexpr std::string_view reference_file_name = "Scan-Frequency.real";

int unwritten_picture_count = 0;

// The five texts a file plot works with, each in its 80-character field.
struct WorkingTexts {
  TextField80 x_caption;
  TextField80 y_caption;
  TextField80 title;
  TextField80 file_name;
  TextField80 device_type;
};

// The plot options every operation shares, with their defaults applied.
struct PlotFlags {
  bool join = true;
  bool log_x = false;
  bool log_y = false;
};

TextField80 caption_field(const std::optional<std::string_view>& caption,
                          std::string_view default_caption) {
  if (!caption) return TextField80(default_caption);
  return TextField80(without_trailing_blanks(without_leading_blanks(*caption)));
}

// A device type other than "ps" replaces a name's closing "ps": Plot.ps becomes Plot.gif.
void adapt_file_name_to_device(WorkingTexts& texts) {
  if (texts.device_type.trimmed() == "ps") return;
  const std::string_view name = texts.file_name.trimmed();
  if (name.size() < 2 || !name.ends_with("ps")) return;
  std::string adapted(name.substr(0, name.size() - 2));
  adapted += texts.device_type.trimmed();
  texts.file_name.assign(adapted);
}

template <typename Options>
WorkingTexts working_texts(const Options& options) {
  WorkingTexts texts{
      caption_field(options.XLABEL, default_x_caption),
      caption_field(options.YLABEL, default_y_caption),
      caption_field(options.TITLE, default_title),
      TextField80(options.FILENAME.value_or(default_file_name)),
      TextField80(options.DEVICE.value_or(default_device_type)),
  };
  adapt_file_name_to_device(texts);
  return texts;
}

template <typename Options>
PlotFlags plot_flags(const Options& options) {
  return {options.JOIN.value_or(true), options.LOGX.value_or(false), options.LOGY.value_or(false)};
}

// Copies of the drawn elements with the logarithms of the logarithmic axes taken; a
// zero ordinate goes to the lower edge.
template <typename Element>
struct LogarithmicCopies {
  std::vector<Element> x;
  std::vector<Element> y;

  LogarithmicCopies(const CurveRuns<Element>& curves, const PlotFlags& flags, float ymin) {
    x.reserve(curves.count * curves.points);
    y.reserve(curves.count * curves.points);
    for (std::size_t curve = 0; curve < curves.count; ++curve) {
      for (const Element value : curves.x_of(curve))
        x.push_back(flags.log_x ? std::log10(value) : value);
      for (const Element value : curves.y_of(curve)) {
        if (!flags.log_y)
          y.push_back(value);
        else
          y.push_back(value == 0 ? static_cast<Element>(ymin) : std::log10(value));
      }
    }
  }

  CurveRuns<Element> curves(std::size_t count, std::size_t points) const {
    return {x.data(), points, y.data(), points, count, points};
  }
};

// Hands points to PGPLOT as 32-bit floats. Points that are not finite are left out: a
// joined line breaks there, and each piece that joins two points or more is drawn.
class PointBuffer {
 public:
  template <typename Element>
  void line(std::span<const Element> xs, std::span<const Element> ys) {
    clear();
    bool broken = false;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      if (!add(xs[i], ys[i])) {
        broken = true;
        draw_piece();
      }
    }
    // An unbroken curve is one line, whatever its length.
    if (broken)
      draw_piece();
    else
      current_pgplot().PGLINE(x_, y_);
  }

  template <typename Element>
  void points(std::span<const Element> xs, std::span<const Element> ys, int symbol) {
    clear();
    for (std::size_t i = 0; i < xs.size(); ++i) add(xs[i], ys[i]);
    current_pgplot().PGPT(x_, y_, symbol);
  }

 private:
  template <typename Element>
  bool add(Element x_value, Element y_value) {
    const float x = static_cast<float>(x_value);
    const float y = static_cast<float>(y_value);
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    x_.push_back(x);
    y_.push_back(y);
    return true;
  }

  void draw_piece() {
    if (x_.size() >= 2) current_pgplot().PGLINE(x_, y_);
    clear();
  }

  void clear() {
    x_.clear();
    y_.clear();
  }

  std::vector<float> x_;
  std::vector<float> y_;
};

struct Markers {
  int unjoined;    // marker of points drawn without lines
  bool reference;  // the reference asterisks of scan-frequency files
};

void draw_reference_markers(const TextField80& file_name) {
  if (file_name.view().substr(0, reference_file_name.size()) != reference_file_name) return;
  constexpr float reference_points[4][2] = {
      {0.0f, 506.9f}, {0.0707f, 532.6f}, {0.1f, 564.8f}, {0.1225f, 606.9f}};
  constexpr int asterisk = 3;
  for (const auto& point : reference_points)
    current_pgplot().PGPT(std::span(&point[0], 1), std::span(&point[1], 1), asterisk);
}

// One file plot: limits from the whole arrays, the page, every curve in its line style,
// the close. The matrix and list operations differ only in how they lay out `curves`.
template <typename Element>
void plot_into_picture(std::span<const Element> all_x, std::span<const Element> all_y,
                       const CurveRuns<Element>& curves, const PlotFlags& flags,
                       const WorkingTexts& texts, const Markers& markers) {
  // With nothing to take limits from there is no usable window.
  if (all_x.empty() || all_y.empty()) return;

  const auto [x_smallest, x_largest] = extremes(all_x);
  const auto [y_smallest, y_largest] = extremes(all_y);
  float xmin = static_cast<float>(x_smallest);
  float xmax = static_cast<float>(x_largest);
  float ymin = static_cast<float>(y_smallest);
  float ymax = static_cast<float>(y_largest);
  if (flags.log_x) {
    xmin = std::log10(xmin);
    xmax = std::log10(xmax);
  }
  bool zero_ordinates = false;
  if (flags.log_y) {
    zero_ordinates = y_smallest == 0 || y_largest == 0;
    const auto [nonzero_smallest, nonzero_largest] = extremes(all_y, true);
    ymin = static_cast<float>(std::log10(nonzero_smallest));
    ymax = static_cast<float>(std::log10(nonzero_largest));
  }
  // Equal limits make no window; limits that are not finite make none either.
  if (ymin == ymax || xmin == xmax) return;
  if (!std::isfinite(xmin) || !std::isfinite(xmax) || !std::isfinite(ymin) || !std::isfinite(ymax))
    return;

  PREPARESCREEN(xmin, xmax, ymin, ymax, flags.join, flags.log_x, flags.log_y, texts.x_caption,
                texts.y_caption, texts.title, texts.file_name, texts.device_type);

  std::optional<LogarithmicCopies<Element>> copies;
  if (flags.log_x || flags.log_y) copies.emplace(curves, flags, ymin);
  const CurveRuns<Element> working = copies ? copies->curves(curves.count, curves.points) : curves;

  Pgplot& pgplot = current_pgplot();
  PointBuffer buffer;
  for (std::size_t curve = 0; curve < curves.count; ++curve) {
    pgplot.PGSLS(static_cast<int>(curve % 4) + 1);
    const auto xs = working.x_of(curve);
    const auto ys = working.y_of(curve);
    if (flags.join && flags.log_y && zero_ordinates) {
      // A zero has no logarithm: every segment that touches one is left out.
      const auto original_ys = curves.y_of(curve);
      for (std::size_t i = 0; i + 1 < curves.points; ++i) {
        if (original_ys[i] != 0 && original_ys[i + 1] != 0)
          buffer.line(xs.subspan(i, 2), ys.subspan(i, 2));
      }
    } else if (flags.join) {
      buffer.line(xs, ys);
    } else {
      buffer.points(xs, ys, markers.unjoined);
    }
  }
  copies.reset();

  if (markers.reference) draw_reference_markers(texts.file_name);
  KILLSCREEN(texts.file_name.view());
}

template <typename Element>
void plot_matrix(ColumnMajorView<const Element> X, ColumnMajorView<const Element> Y,
                 const FilePlotOptions& options, const Markers& markers) {
  plot_into_picture(X.elements(), Y.elements(), matrix_curves(X, Y), plot_flags(options),
                    working_texts(options), markers);
}

template <typename Element>
void plot_list(std::span<const Element> X, std::span<const Element> Y,
               const FileListPlotOptions& options) {
  constexpr int dot = 1;
  // No count of curves, or a negative one, draws the frame and no curve.
  plot_into_picture(X, Y, list_curves(X, Y, options.NCURVES.value_or(1)), plot_flags(options),
                    working_texts(options), Markers{dot, false});
}

}  // namespace

void PREPARESCREEN(float xmin, float xmax, float ymin, float ymax, bool /*JOIN*/, bool LOGX,
                   bool LOGY, const TextField80& x_caption, const TextField80& y_caption,
                   const TextField80& title, const TextField80& file_name,
                   const TextField80& device_type) {
  Pgplot& pgplot = current_pgplot();
  std::string device_specification(file_name.view());
  device_specification += '/';
  device_specification += device_type.trimmed();
  pgplot.PGBEG(0, device_specification, 1, 1);
  pgplot.PGSLW(3);
  pgplot.PGSCH(1.5f);
  pgplot.PGPAGE();
  pgplot.PGVSTD();
  pgplot.PGSWIN(xmin, xmax, ymin, ymax);
  // PGPLOT's GIF pictures are white on black; this program's are black on white, like
  // its PostScript ones.
  if (device_type.view() == TextField80("gif").view()) {
    pgplot.PGSCR(0, 1.0f, 1.0f, 1.0f);
    pgplot.PGSCR(1, 0.0f, 0.0f, 0.0f);
  }
  const TextField<20> x_options(LOGX ? "BCLNST" : "BCNST");
  const TextField<20> y_options(LOGY ? "BCLNST" : "BCNST");
  pgplot.PGBOX(x_options.view(), 0.0f, 0, y_options.view(), 0.0f, 0);
  pgplot.PGLAB(x_caption.view(), y_caption.view(), title.view());
}

void KILLSCREEN(std::string_view file_name) {
  // A picture that could not be completed has been explained on standard error; it is
  // not announced as output.
  if (!current_pgplot().PGEND()) {
    ++unwritten_picture_count;
    return;
  }
  std::string line = " Output in ";
  line += without_blanks_around(file_name);
  current_console().write_line(line);
}

int unwritten_pictures() { return unwritten_picture_count; }

void PGPLOTDP(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
              const FilePlotOptions& options) {
  constexpr int dot = 1;
  plot_matrix(X, Y, options, Markers{dot, false});
}

void PGPLOTSP(ColumnMajorView<const float> X, ColumnMajorView<const float> Y,
              const FilePlotOptions& options) {
  constexpr int filled_circle = 17;
  plot_matrix(X, Y, options, Markers{filled_circle, true});
}

void PGPLOTLISTDP(std::span<const double> X, std::span<const double> Y,
                  const FileListPlotOptions& options) {
  plot_list(X, Y, options);
}

void PGPLOTLISTSP(std::span<const float> X, std::span<const float> Y,
                  const FileListPlotOptions& options) {
  plot_list(X, Y, options);
}

}  // namespace curvist::PGPLOTPACK
