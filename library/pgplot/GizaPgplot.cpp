#include "pgplot/GizaPgplot.hpp"

#include <cpgplot.h>
// giza.h does not declare its functions for C++ itself.
extern "C" {
#include <giza.h>
}

#include <iostream>
#include <string>
#include <system_error>

#include "pgplot/DeviceSpecification.hpp"
#include "pgplot/GifWriter.hpp"
#include "pgplot/GizaReducedLine.hpp"
#include "text/Blanks.hpp"

namespace curvist {
namespace {

// giza keeps at most this many characters of a file name (and does not always end them).
constexpr std::size_t giza_file_name_limit = 255;

// PGPLOT ignores the blanks after a text; giza would draw them (and centre captions
// with them), so they never reach it.
std::string giza_text(std::string_view text) { return std::string(without_trailing_blanks(text)); }

int point_count(std::span<const float> x, std::span<const float> y) {
  return static_cast<int>(std::min(x.size(), y.size()));
}

}  // namespace

GizaPgplot::~GizaPgplot() {
  // A picture still open at exit is unfinished: giza lets go of it and the temporary
  // file goes with it.
  if (picture_) messages_.run([] { cpgend(); });
}

template <typename Call>
void GizaPgplot::on_picture(Call&& call) {
  if (picture_) messages_.run(std::forward<Call>(call));
}

void GizaPgplot::report(std::string_view file_name, std::string_view reason) const {
  std::cerr << "curvist: cannot write the picture " << file_name << ": " << reason << '\n';
}

int GizaPgplot::PGBEG(int, std::string_view device_specification, int nxsub, int nysub) {
  if (picture_) PGEND();
  failure_reported_ = true;  // until the picture is open
  const auto specification = parse_device_specification(device_specification);
  if (!specification) {
    std::cerr << "curvist: the PGPLOT device specification \""
              << without_trailing_blanks(device_specification)
              << "\" names no device type (FILE/TYPE)\n";
    return 0;
  }
  const DeviceKind* device = find_device_kind(specification->device_type);
  if (device == nullptr) {
    std::cerr << "curvist: unknown PGPLOT device type \"" << specification->device_type
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

void GizaPgplot::PGSCH(float character_height) {
  on_picture([&] { cpgsch(character_height); });
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
  on_picture([] { cpgvstd(); });
}

void GizaPgplot::PGSWIN(float x1, float x2, float y1, float y2) {
  on_picture([&] { cpgswin(x1, x2, y1, y2); });
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
  on_picture([&] { cpgbox(x_options.c_str(), xtick, nxsub, y_options.c_str(), ytick, nysub); });
  picture_->drawn_on_page = true;
}

void GizaPgplot::PGLAB(std::string_view xlabel, std::string_view ylabel, std::string_view title) {
  if (!picture_) return;
  const std::string x_caption = giza_text(xlabel);
  const std::string y_caption = giza_text(ylabel);
  const std::string top_caption = giza_text(title);
  on_picture([&] { cpglab(x_caption.c_str(), y_caption.c_str(), top_caption.c_str()); });
  picture_->drawn_on_page = true;
}

void GizaPgplot::PGSLS(int line_style) {
  on_picture([&] { cpgsls(line_style); });
}

void GizaPgplot::PGLINE(std::span<const float> x, std::span<const float> y) {
  const int count = point_count(x, y);
  if (!picture_ || count < 2) return;
  x = x.first(static_cast<std::size_t>(count));
  y = y.first(static_cast<std::size_t>(count));
  on_picture([&] {
    int giza_style = 1;
    cpgqls(&giza_style);
    if (!reduce_lines_ || !draw_reduced_line(*picture_->device, giza_style, x, y, pieces_))
      cpgline(count, x.data(), y.data());
  });
  picture_->drawn_on_page = true;
}

void GizaPgplot::PGPT(std::span<const float> x, std::span<const float> y, int symbol) {
  const int count = point_count(x, y);
  if (!picture_ || count < 1) return;
  on_picture([&] { cpgpt(count, x.data(), y.data(), symbol); });
  picture_->drawn_on_page = true;
}

bool GizaPgplot::PGEND() {
  if (!picture_) {
    if (!failure_reported_) std::cerr << "curvist: PGEND without an open picture\n";
    failure_reported_ = false;
    return false;
  }
  OpenPicture picture = std::move(*picture_);
  picture_.reset();
  if (const auto problem = finish(picture)) {
    report(picture.target, *problem);
    return false;
  }
  return true;
}

std::optional<std::string> GizaPgplot::finish(OpenPicture& picture) {
  // Only what goes wrong while giza completes the file counts against the picture.
  messages_.clear();
  messages_.run([] { cpgend(); });
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
