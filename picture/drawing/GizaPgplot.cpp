#include "drawing/GizaPgplot.hpp"

#include <cpgplot.h>
// giza.h does not declare its functions for C++ itself.
extern "C" {
#include <giza.h>
}

#include <charconv>
#include <cmath>
#include <iostream>
#include <limits>
#include <string>
#include <system_error>
#include <tuple>

#include "axes/GizaCaptions.hpp"
#include "axes/GizaTicks.hpp"
#include "devices/GifWriter.hpp"
#include "lines/GizaReducedLine.hpp"
#include "pgplot/DeviceSpecification.hpp"
#include "pgplot/PictureNotWritten.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

// giza keeps at most this many characters of a file name (and does not always end them).
constexpr std::size_t giza_file_name_limit = 255;
constexpr int full_line = 1;
// A line long enough to be laid out on a thread of its own: its points are copied for it.
constexpr std::size_t long_line = 10'000;

// PGPLOT ignores the blanks after a text; giza would draw them (and centre captions
// with them), so they never reach it.
std::string giza_text(std::string_view text) { return std::string(without_trailing_blanks(text)); }

// PGPLOT's line styles as giza numbers them. PGPLOT draws a number outside 1 to 5 as 1.
int pgplot_line_style(int style) { return style >= 1 && style <= 5 ? style : full_line; }
int giza_line_style(int pgplot_style) {
  switch (pgplot_style) {
    case 2:
      return GIZA_LS_LONG_DASH;
    case 3:
      return GIZA_LS_DASH_DOT;
    case 4:
      return GIZA_LS_DOT;
    case 5:
      return GIZA_LS_DASH_DOT_DOT_DOT;
    default:
      return GIZA_LS_SOLID;
  }
}

std::string shortest_text(float value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// "its x range, 1e-33 to 2e-33, ": the start of a reason that names an axis's range.
std::string range_text(char axis, float low, float high) {
  return std::string("its ") + axis + " range, " + shortest_text(low) + " to " +
         shortest_text(high) + ", ";
}

// Why giza cannot draw the world window from (x1, y1) to (x2, y2); nothing when it can.
std::optional<std::string> window_problem(float x1, float x2, float y1, float y2) {
  for (const auto& [axis, low, high] : {std::tuple{'x', x1, x2}, std::tuple{'y', y1, y2}}) {
    const std::string range = range_text(axis, low, high);
    if (!std::isfinite(low) || !std::isfinite(high)) return range + "is not finite";
    if (low == high) return range + "is empty";
    // Narrower windows are drawn scaled by a power of ten, down to the narrowest a
    // float tells apart from an empty one wherever it stands.
    if (std::fabs(double(high) - double(low)) < std::numeric_limits<float>::min())
      return range + "is narrower than giza can draw (1e-31)";
  }
  return std::nullopt;
}

// Once anything has failed in a cairo drawing, cairo draws nothing more and measures
// every text as empty: a letter without width means the drawing has broken off.
bool drawing_intact() {
  double width = 0, height = 0;
  giza_qtextlen(GIZA_UNITS_DEVICE, "x", &width, &height);
  return width > 0;
}

int point_count(std::span<const float> x, std::span<const float> y) {
  return static_cast<int>(std::min(x.size(), y.size()));
}

}  // namespace

GizaPgplot::GizaPgplot(bool reduce_lines, std::ostream& reports, GizaErrorCapture capture,
                       GizaLines lines)
    : reports_(reports), messages_(capture), reduce_lines_(reduce_lines) {
  if (lines == GizaLines::drawn_in_background) background_.emplace();
}

GizaPgplot::~GizaPgplot() {
  catch_up();
  // A picture still open at exit is unfinished: giza lets go of it and the temporary
  // file goes with it.
  if (picture_) messages_.run([] { cpgend(); });
}

template <typename Call>
void GizaPgplot::on_picture(Call&& call) {
  line_geometry_.reset();
  on_picture_as_it_is(std::forward<Call>(call));
}

template <typename Call>
void GizaPgplot::on_picture_as_it_is(Call&& call) {
  if (!picture_ || picture_->failure) return;
  catch_up();
  messages_.run(std::forward<Call>(call));
}

DrawingQueue::Ticket GizaPgplot::in_line_order(std::function<void()> call) {
  if (!picture_ || picture_->failure) return 0;
  if (!background_) {
    messages_.run(call);
    return 0;
  }
  return background_->post([this, call = std::move(call)] { messages_.run(call); });
}

void GizaPgplot::catch_up() {
  if (background_) background_->wait();
}

void GizaPgplot::fail(std::string reason) {
  if (picture_ && !picture_->failure) picture_->failure = std::move(reason);
}

void GizaPgplot::check_drawing() {
  if (!picture_ || picture_->failure) return;
  catch_up();
  bool intact = true;
  messages_.run([&] { intact = drawing_intact(); });
  if (!intact) fail("giza could not draw it completely (cairo gave up drawing)");
}

void GizaPgplot::report(std::string_view file_name, std::string_view reason) const {
  reports_ << picture_not_written_line(file_name, reason);
}

int GizaPgplot::PGBEG(int, std::string_view device_specification, int nxsub, int nysub) {
  if (picture_) PGEND();
  failure_reported_ = true;  // until the picture is open
  const auto specification = parse_device_specification(device_specification);
  if (!specification) {
    reports_ << "curvist: the PGPLOT device specification \""
             << without_trailing_blanks(device_specification)
             << "\" names no device type (FILE/TYPE)\n";
    return 0;
  }
  const DeviceKind* device = find_device_kind(specification->device_type);
  if (device == nullptr) {
    reports_ << "curvist: unknown PGPLOT device type \"" << specification->device_type
             << "\" for the picture " << specification->file_name
             << " (known types: " << known_device_types() << ")\n";
    return 0;
  }
  const std::string target = specification->file_name.empty()
                                 ? "pgplot" + std::string(device->picture_extension)
                                 : specification->file_name;

  std::unique_ptr<TemporaryFile> drawing;
  try {
    // giza appends its extension to a name that lacks it, so the temporary name has it.
    drawing = std::make_unique<TemporaryFile>(target, device->giza_extension);
  } catch (const std::system_error& error) {
    report(target, error.code().message());
    return 0;
  }
  if (drawing->path().size() + device->giza_device.size() > giza_file_name_limit) {
    report(target, "its folder name is too long for giza");
    return 0;
  }

  const std::string giza_specification = drawing->path() + std::string(device->giza_device);
  int status = 0;
  messages_.clear();
  messages_.run([&] {
    status = device->width_pixels > 0
                 ? giza_open_device_size(giza_specification.c_str(), "giza", device->width_pixels,
                                         device->height_pixels, GIZA_UNITS_PIXELS)
                 : cpgopen(giza_specification.c_str());
    if (status > 0 && (nxsub > 1 || nysub > 1)) cpgsubp(nxsub, nysub);
  });
  if (status <= 0) {
    report(target, messages_.first_error().value_or("giza cannot open it"));
    return 0;
  }
  picture_ = OpenPicture{device, target, std::move(drawing)};
  failure_reported_ = false;
  double width = 1, height = 1;
  messages_.run([&] { giza_get_paper_size(GIZA_UNITS_DEVICE, &width, &height); });
  if (width > 0 && height > width) picture_->portrait_width = width / height;
  if (device->pgplot_gif_colours) {
    on_picture([] {
      cpgscr(0, 0.0f, 0.0f, 0.0f);
      cpgscr(1, 1.0f, 1.0f, 1.0f);
      cpgeras();
    });
  }
  return 1;
}

void GizaPgplot::PGSLW(int line_width) {
  on_picture([&] { cpgslw(line_width); });
}

// giza sizes characters by the page's height, and measures the side margins of the
// standard viewport in character heights across the page's height too. On a landscape
// page that is its short side; a portrait page would get characters a third larger and
// side margins too narrow for the y caption and the numbers, which then run off the
// page. A portrait page is laid out as the landscape page of the same paper turned:
// characters sized by its short side, side margins as wide as the landscape page's.
void GizaPgplot::PGSCH(float character_height) {
  if (!picture_) return;
  const auto height = static_cast<float>(character_height * picture_->portrait_width);
  on_picture([&] { cpgsch(height); });
}

void GizaPgplot::PGPAGE() {
  if (!picture_) return;
  // giza would write every page of a raster picture to a numbered file of its own; the
  // picture keeps one page, so a new one only clears it.
  if (picture_->device->single_page && picture_->drawn_on_page)
    on_picture([] { cpgeras(); });
  else
    on_picture([] { cpgpage(); });
  picture_->drawn_on_page = false;
}

void GizaPgplot::PGVSTD() {
  if (!picture_) return;
  if (picture_->portrait_width == 1) {
    on_picture([] { cpgvstd(); });
    return;
  }
  on_picture([&] {
    // Four character heights at the top and the bottom as giza leaves them; at the sides
    // four of the landscape page's, whose side margins are its width over its height wider.
    double across_width = 0, across_height = 0;
    giza_get_character_size(GIZA_UNITS_NORMALIZED, &across_width, &across_height);
    const double side = 4 * across_width / picture_->portrait_width;
    const double bottom = 4 * across_height;
    giza_set_viewport(side, 1 - side, bottom, 1 - bottom);
  });
}

void GizaPgplot::PGSWIN(float x1, float x2, float y1, float y2) {
  if (!picture_) return;
  // giza would draw another window in its place, and the picture would show wrong numbers.
  if (auto problem = window_problem(x1, x2, y1, y2)) {
    fail(std::move(*problem));
    return;
  }
  const AxisScale x_scale = axis_scale_for_giza(x1, x2);
  const AxisScale y_scale = axis_scale_for_giza(y1, y2);
  on_picture([&] {
    cpgswin(x_scale.to_giza(x1), x_scale.to_giza(x2), y_scale.to_giza(y1), y_scale.to_giza(y2));
  });
  picture_->window = {x1, x2, y1, y2};
  picture_->x_scale = x_scale;
  picture_->y_scale = y_scale;
}

void GizaPgplot::PGSCR(int colour_index, float red, float green, float blue) {
  if (!picture_ || picture_->device->monochrome) return;
  const bool background_only = !picture_->drawn_on_page;
  on_picture([&] {
    cpgscr(colour_index, red, green, blue);
    // On a palette device a new colour 0 is at once the colour of the whole background;
    // giza paints the background when the page begins, so it is painted again.
    if (colour_index == 0 && background_only) cpgeras();
  });
}

void GizaPgplot::PGBOX(std::string_view xopt, float xtick, int nxsub, std::string_view yopt,
                       float ytick, int nysub) {
  if (!picture_) return;
  const std::string x_options = giza_text(xopt);
  const std::string y_options = giza_text(yopt);
  const WorldWindow& window = picture_->window;
  const AxisScale x_scale = picture_->x_scale, y_scale = picture_->y_scale;
  // A scaled axis: giza ticks the window it has, and its numbers are written afterwards.
  const auto axis_ticks = [](std::string_view options, float interval, int subdivisions,
                             AxisScale scale, float low, float high) -> std::optional<AxisTicks> {
    if (!scale.scaled()) return ticks_for_giza(options, interval, subdivisions, low, high);
    if (interval == 0) return automatic_ticks(scale.to_giza(low), scale.to_giza(high));
    return AxisTicks{scale.to_giza(interval), subdivisions};
  };
  const auto x = axis_ticks(x_options, xtick, nxsub, x_scale, window.x1, window.x2);
  const auto y = axis_ticks(y_options, ytick, nysub, y_scale, window.y1, window.y2);
  // giza would draw such an axis without numbers.
  constexpr std::string_view unnumbered = "is narrower than giza can number (5e-31)";
  if (!x) fail(range_text('x', window.x1, window.x2).append(unnumbered));
  if (!y) fail(range_text('y', window.y1, window.y2).append(unnumbered));
  if (!x || !y) return;
  on_picture([&] {
    const std::string x_drawn = x_scale.scaled() ? without_numbers(x_options) : x_options;
    const std::string y_drawn = y_scale.scaled() ? without_numbers(y_options) : y_options;
    cpgbox(x_drawn.c_str(), x->interval, x->subdivisions, y_drawn.c_str(), y->interval,
           y->subdivisions);
    if (x_scale.scaled())
      number_scaled_axis('x', x_options, *x, x_scale.to_giza(window.x1), x_scale.to_giza(window.x2),
                         x_scale);
    if (y_scale.scaled())
      number_scaled_axis('y', y_options, *y, y_scale.to_giza(window.y1), y_scale.to_giza(window.y2),
                         y_scale);
  });
  picture_->drawn_on_page = true;
  check_drawing();
}

void GizaPgplot::PGLAB(std::string_view xlabel, std::string_view ylabel, std::string_view title) {
  if (!picture_) return;
  on_picture([&] {
    draw_giza_captions(without_trailing_blanks(xlabel), without_trailing_blanks(ylabel),
                       without_trailing_blanks(title));
  });
  picture_->drawn_on_page = true;
  check_drawing();
}

void GizaPgplot::PGSLS(int line_style) {
  if (!picture_) return;
  picture_->line_style = pgplot_line_style(line_style);
  in_line_order([giza_style = giza_line_style(picture_->line_style)] { cpgsls(giza_style); });
}

void GizaPgplot::PGLINE(std::span<const float> x, std::span<const float> y) {
  const int count = point_count(x, y);
  // A failed picture draws nothing more: its points need no sorting out either.
  if (!picture_ || picture_->failure || count < 2) return;
  std::tie(x, y) = giza_points(x.first(static_cast<std::size_t>(count)),
                               y.first(static_cast<std::size_t>(count)));
  picture_->drawn_on_page = true;
  const int giza_style = giza_line_style(picture_->line_style);
  if (reduce_lines_) {
    if (!line_geometry_)
      on_picture_as_it_is([&] { line_geometry_ = giza_line_geometry(*picture_->device); });
    if (!line_geometry_) return;
    LineOnItsWay& line = lines_[next_line_];
    next_line_ = (next_line_ + 1) % lines_.size();
    if (background_) background_->wait_for(line.drawn_by);
    // A long line is laid out in the background when no other is laid out there, and the
    // next is laid out here meanwhile. The first of a picture never is: a picture of one
    // line would only pay for the copy of its points.
    const bool long_one = x.size() >= long_line;
    const bool in_background = background_ && long_one && picture_->long_lines > 0 &&
                               background_->has_run(laid_out_in_background_);
    if (long_one) ++picture_->long_lines;
    if (in_background) {
      line.x.assign(x.begin(), x.end());
      line.y.assign(y.begin(), y.end());
      line.drawn_by = in_line_order([&line, giza_style, geometry = *line_geometry_] {
        if (reduce_line(geometry, giza_style, line.x, line.y, line.pieces))
          draw_line_pieces(line.pieces, giza_style);
        else
          cpgline(static_cast<int>(line.x.size()), line.x.data(), line.y.data());
      });
      laid_out_in_background_ = line.drawn_by;
      return;
    }
    if (reduce_line(*line_geometry_, giza_style, x, y, line.pieces)) {
      line.drawn_by = in_line_order(
          [&pieces = line.pieces, giza_style] { draw_line_pieces(pieces, giza_style); });
      return;
    }
  }
  // The points are the caller's, and are drawn before the call returns.
  on_picture_as_it_is([&] { cpgline(count, x.data(), y.data()); });
}

void GizaPgplot::PGPT(std::span<const float> x, std::span<const float> y, int symbol) {
  const int count = point_count(x, y);
  if (!picture_ || count < 1) return;
  std::tie(x, y) = giza_points(x, y);
  on_picture([&] { cpgpt(count, x.data(), y.data(), symbol); });
  picture_->drawn_on_page = true;
}

std::pair<std::span<const float>, std::span<const float>> GizaPgplot::giza_points(
    std::span<const float> x, std::span<const float> y) {
  const auto scaled = [](std::span<const float> values, AxisScale scale,
                         std::vector<float>& copy) -> std::span<const float> {
    if (!scale.scaled()) return values;
    const double factor = scale.factor();
    copy.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
      copy[i] = static_cast<float>(values[i] * factor);
    return copy;
  };
  return {scaled(x, picture_->x_scale, scaled_x_), scaled(y, picture_->y_scale, scaled_y_)};
}

bool GizaPgplot::PGEND() {
  catch_up();
  line_geometry_.reset();
  if (!picture_) {
    if (!failure_reported_) reports_ << "curvist: PGEND without an open picture\n";
    failure_reported_ = false;
    return false;
  }
  // What went wrong while it was drawn: cairo's drawing broken off, or any error of giza.
  check_drawing();
  if (auto error = messages_.first_error()) fail(std::move(*error));
  OpenPicture picture = std::move(*picture_);
  picture_.reset();
  if (const auto problem = finish(picture)) {
    report(picture.target, *problem);
    return false;
  }
  return true;
}

std::string GizaPgplot::drawing_path() const {
  return picture_ ? picture_->drawing->path() : std::string();
}

std::optional<std::string> GizaPgplot::finish(OpenPicture& picture) {
  // giza lets go of a failed picture too; its temporary file goes with it.
  messages_.clear();
  messages_.run([] { cpgend(); });
  if (picture.failure) return picture.failure;
  if (auto error = messages_.first_error()) return error;

  const DeviceKind& device = *picture.device;
  if (!device.written_as_gif) {
    if (auto incomplete = check_complete(picture.drawing->path(), device.complete_ending))
      return incomplete;
    return picture.drawing->move_into_place(picture.target);
  }

  RgbImage image;
  if (auto unreadable = read_png(picture.drawing->path(), image)) return unreadable;
  std::unique_ptr<TemporaryFile> gif;
  try {
    gif = std::make_unique<TemporaryFile>(picture.target, device.picture_extension);
  } catch (const std::system_error& error) {
    return error.code().message();
  }
  if (auto unwritten = write_gif(gif->path(), image)) return unwritten;
  if (auto incomplete = check_complete(gif->path(), device.complete_ending)) return incomplete;
  return gif->move_into_place(picture.target);
}

}  // namespace curvist
