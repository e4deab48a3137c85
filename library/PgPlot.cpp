#include "PgPlot.hpp"

#include <optional>
#include <string>
#include <vector>

#include "ViewPicture.hpp"

#include "array/CurveRuns.hpp"
#include "console/Console.hpp"
#include "pgplot/PgplotInterface.hpp"
#include "platform/Platform.hpp"
#include "platform/UnwrittenPictures.hpp"
#include "plot/PictureCurves.hpp"
#include "plot/PlotSettings.hpp"
#include "text/Blanks.hpp"
#include "text/Utf8Text.hpp"

namespace curvist::PGPLOTPACK {
namespace {

constexpr std::string_view default_file_name = "Plot.ps";
constexpr std::string_view default_device_type = "ps";
constexpr std::string_view reference_file_name = "Scan-Frequency.real";

// A file name in its 80-character field, blank-padded, as the plotters pass it to
// PGPLOT; a longer one whole: cut at the field's length it would name another file, a
// data file even.
std::string file_name_field(std::string_view name) {
  const std::string_view kept = without_trailing_blanks(name);
  if (character_count(kept) > TextField80::length) return std::string(kept);
  return std::string(TextField80(kept).view());
}

// The picture's file name (its field) and PGPLOT device type (in its 80-character field).
struct PictureName {
  std::string file_name;
  TextField80 device_type;
};

// A device type other than "ps" replaces a name's closing "ps": Plot.ps becomes Plot.gif.
template <typename Options>
PictureName picture_name(const Options& options) {
  PictureName picture{file_name_field(options.FILENAME.value_or(default_file_name)),
                      TextField80(options.DEVICE.value_or(default_device_type))};
  if (picture.device_type.trimmed() == "ps") return picture;
  const std::string_view name = without_trailing_blanks(picture.file_name);
  if (name.size() < 2 || !name.ends_with("ps")) return picture;
  std::string adapted(name.substr(0, name.size() - 2));
  adapted += picture.device_type.trimmed();
  picture.file_name = file_name_field(adapted);
  return picture;
}

struct Markers {
  int unjoined;    // marker of points drawn without lines
  bool reference;  // the reference asterisks of scan-frequency files
};

// PGPLOT's marker numbers.
constexpr int dot = 1;
constexpr int filled_circle = 17;
constexpr int asterisk = 3;

// A convention kept for the pictures of one kind of file: when PGPLOTSP draws into a file
// named Scan-Frequency.real..., four fixed reference points go on top, to compare the
// measured curve with. Deliberately narrow: only this operation, the name matched
// case-sensitively at its start, the points in window coordinates, never logarithms.
void draw_reference_markers(Pgplot& pgplot, std::string_view file_name) {
  if (file_name.substr(0, reference_file_name.size()) != reference_file_name) return;
  constexpr float reference_points[4][2] = {
      {0.0f, 506.9f}, {0.0707f, 532.6f}, {0.1f, 564.8f}, {0.1225f, 606.9f}};
  for (const auto& point : reference_points)
    pgplot.PGPT(std::span(&point[0], 1), std::span(&point[1], 1), asterisk);
}

// The limits are 32-bit, as PGPLOT takes them; the captions are 80-character fields.
using PictureSettings = plot::PlotSettings<float, TextField80::length>;

// Opens the picture and draws its page, frame, axes and captions, with the world window
// set to exactly the limits.
void prepare_page(Pgplot& pgplot, const PictureSettings& settings, const PictureName& picture) {
  const auto& limits = settings.limits;
  const auto& captions = settings.captions;
  const TextField80& device_type = picture.device_type;
  std::string device_specification(picture.file_name);
  device_specification += '/';
  device_specification += device_type.trimmed();
  pgplot.PGBEG(0, device_specification, 1, 1);
  pgplot.PGSLW(3);
  pgplot.PGSCH(1.5f);
  pgplot.PGPAGE();
  pgplot.PGVSTD();
  pgplot.PGSWIN(limits.xmin, limits.xmax, limits.ymin, limits.ymax);
  // PGPLOT's GIF pictures are white on black; this program's are black on white, like
  // its PostScript ones. Only the lower-case name swaps: "GIF" keeps PGPLOT's colours.
  if (device_type.view() == TextField80("gif").view()) {
    pgplot.PGSCR(0, 1.0f, 1.0f, 1.0f);
    pgplot.PGSCR(1, 0.0f, 0.0f, 0.0f);
  }
  const TextField<20> x_options(settings.flags.log_x ? "BCLNST" : "BCNST");
  const TextField<20> y_options(settings.flags.log_y ? "BCLNST" : "BCNST");
  pgplot.PGBOX(x_options.view(), 0.0f, 0, y_options.view(), 0.0f, 0);
  pgplot.PGLAB(captions.x_caption.view(), captions.y_caption.view(), captions.title.view());
}

void close_page(Pgplot& pgplot, Console& console, std::string_view file_name) {
  std::string line = " Output in ";
  line += without_blanks_around(file_name);
  // A picture that could not be completed has been explained on standard error; it is
  // not announced as output.
  pgplot.end_then([&pgplot, &console, line = std::move(line)](bool complete) {
    if (complete)
      console.write_line(line);
    else
      note_unwritten_picture(pgplot.why_last_incomplete());
  });
}

// One file plot: the settings and limits, the page, every curve in its line style, the
// close. The matrix and list operations differ only in how they lay out `curves`; all_x
// and all_y are the whole arrays the limits come from.
template <typename Element, typename Options>
void plot_into_picture(std::span<const Element> all_x, std::span<const Element> all_y,
                       const CurveRuns<Element>& curves, const Options& options,
                       const Markers& markers, const std::optional<PlotView>& view = std::nullopt) {
  auto settings = plot::plot_settings<float, TextField80::length>(options, all_x, all_y);
  if (!settings) return;
  if (view) {
    settings->limits.xmin = static_cast<float>(view->xmin);
    settings->limits.xmax = static_cast<float>(view->xmax);
    settings->limits.ymin = static_cast<float>(view->ymin);
    settings->limits.ymax = static_cast<float>(view->ymax);
  }
  const PictureName picture = picture_name(options);

  Pgplot& pgplot = current_pgplot();
  Console& console = current_console();
  prepare_page(pgplot, *settings, picture);
  plot::draw_picture_curves(pgplot, curves, settings->template x_values<Element>(),
                            settings->template y_values<Element>(), settings->flags.join,
                            settings->limits.zero_ordinates, markers.unjoined);
  if (markers.reference) draw_reference_markers(pgplot, picture.file_name);
  close_page(pgplot, console, picture.file_name);
}

}  // namespace

void PREPARESCREEN(float xmin, float xmax, float ymin, float ymax, bool JOIN, bool LOGX, bool LOGY,
                   const TextField80& x_caption, const TextField80& y_caption,
                   const TextField80& title, const TextField80& file_name,
                   const TextField80& device_type) {
  prepare_page(current_pgplot(),
               {{JOIN, LOGX, LOGY}, {x_caption, y_caption, title}, {xmin, xmax, ymin, ymax, false}},
               {std::string(file_name.view()), device_type});
}

void KILLSCREEN(std::string_view file_name) {
  close_page(current_pgplot(), current_console(), file_name);
}

int unwritten_pictures() { return unwritten_picture_count(); }

std::string why_last_picture_not_written() { return why_last_picture_unwritten(); }

std::string why_no_picture(std::span<const double> X, std::span<const double> Y, bool LOGX,
                           bool LOGY) {
  return plot::why_no_limits<float>(X, Y, LOGX, LOGY);
}

std::string why_no_picture(std::span<const float> X, std::span<const float> Y, bool LOGX,
                           bool LOGY) {
  return plot::why_no_limits<float>(X, Y, LOGX, LOGY);
}

void PGPLOTDP(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
              const FilePlotOptions& options) {
  plot_into_picture(X.elements(), Y.elements(), matrix_curves(X, Y), options, {dot, false});
}

void PGPLOTSP(ColumnMajorView<const float> X, ColumnMajorView<const float> Y,
              const FilePlotOptions& options) {
  plot_into_picture(X.elements(), Y.elements(), matrix_curves(X, Y), options,
                    {filled_circle, true});
}

// No count of curves, or a negative one, draws the frame and no curve.
void PGPLOTLISTDP(std::span<const double> X, std::span<const double> Y,
                  const FileListPlotOptions& options) {
  plot_into_picture(X, Y, list_curves(X, Y, options.NCURVES.value_or(1)), options, {dot, false});
}

void PGPLOTLISTSP(std::span<const float> X, std::span<const float> Y,
                  const FileListPlotOptions& options) {
  plot_into_picture(X, Y, list_curves(X, Y, options.NCURVES.value_or(1)), options, {dot, false});
}

template <typename Element>
void picture_of_view(const CurveRuns<Element>& curves, const FilePlotOptions& options,
                     const PlotView& view) {
  std::vector<Element> all_x;
  std::vector<Element> all_y;
  for (std::size_t curve = 0; curve < curves.count; ++curve) {
    const auto xs = curves.x_of(curve);
    const auto ys = curves.y_of(curve);
    all_x.insert(all_x.end(), xs.begin(), xs.end());
    all_y.insert(all_y.end(), ys.begin(), ys.end());
  }
  plot_into_picture<Element>(all_x, all_y, curves, options, {dot, false}, view);
}

template void picture_of_view(const CurveRuns<double>&, const FilePlotOptions&, const PlotView&);
template void picture_of_view(const CurveRuns<float>&, const FilePlotOptions&, const PlotView&);

}  // namespace curvist::PGPLOTPACK
