#include "window/TextFonts.hpp"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "text/Utf8Text.hpp"
#include "window/FontFile.hpp"

namespace curvist {
namespace {

// The face standing in for the cell fonts of the platform the plotter was written for.
constexpr const char* cell_face_family = "DejaVu Sans Mono";
// Where Debian and most other systems install that face; where it is not, fontconfig
// finds it.
constexpr const char* cell_face_file = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr int default_cell_height = 16;
constexpr int largest_font_pixels = 1024;

bool is_cell_face_name(std::string_view face) {
  std::string lower;
  for (const char character : face)
    lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(character))));
  return lower.empty() || lower == "terminal" || lower == "modern";
}

struct GlyphsDeleter {
  void operator()(cairo_glyph_t* glyphs) const { cairo_glyph_free(glyphs); }
};

// A face at the given horizontal and vertical scale, unhinted so that glyphs keep the
// proportions the cell sizes were computed from.
cairo_scaled_font_t* unhinted_scaled_font(cairo_font_face_t* face, double horizontal,
                                          double vertical, cairo_antialias_t antialias) {
  cairo_matrix_t font_matrix;
  cairo_matrix_t identity;
  cairo_matrix_init_scale(&font_matrix, horizontal, vertical);
  cairo_matrix_init_identity(&identity);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, antialias);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_scaled_font_t* scaled = cairo_scaled_font_create(face, &font_matrix, &identity, options);
  cairo_font_options_destroy(options);
  return scaled;
}

// The face fontconfig finds for `family`; `monospaced` says whether its characters are
// all one width.
cairo_font_face_t* face_from_fontconfig(const std::string& family, bool& monospaced) {
  cairo_font_face_t* face = nullptr;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* matched = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (matched != nullptr) {
    int spacing = FC_PROPORTIONAL;
    if (FcPatternGetInteger(matched, FC_SPACING, 0, &spacing) == FcResultMatch)
      monospaced = spacing == FC_MONO || spacing == FC_CHARCELL || spacing == FC_DUAL;
    face = cairo_ft_font_face_create_for_pattern(matched);
    FcPatternDestroy(matched);
  } else {
    // No font configuration at all: cairo's own fallback face still draws something.
    face =
        cairo_toy_font_face_create("monospace", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    monospaced = true;
  }
  return face;
}

}  // namespace

TextFonts::~TextFonts() {
  if (scaled_font_ != nullptr) cairo_scaled_font_destroy(scaled_font_);
  for (auto& [family, face] : faces_) cairo_font_face_destroy(face.face);
}

const TextFonts::Face& TextFonts::face_for(const std::string& family) {
  if (const auto found = faces_.find(family); found != faces_.end()) return found->second;

  Face face;
  if (family == cell_face_family) face.face = font_face_from_file(cell_face_file);
  if (face.face != nullptr)
    face.monospaced = true;
  else
    face.face = face_from_fontconfig(family, face.monospaced);

  // Measured large, then brought back to one em, so that rounding inside the font
  // machinery does not show.
  constexpr double measuring_size = 1000.0;
  cairo_scaled_font_t* measuring =
      unhinted_scaled_font(face.face, measuring_size, measuring_size, CAIRO_ANTIALIAS_DEFAULT);
  if (cairo_scaled_font_status(measuring) == CAIRO_STATUS_SUCCESS) {
    cairo_font_extents_t font_extents;
    cairo_scaled_font_extents(measuring, &font_extents);
    cairo_text_extents_t text_extents;
    cairo_scaled_font_text_extents(measuring, "M", &text_extents);
    if (font_extents.ascent > 0 && font_extents.descent >= 0 && text_extents.x_advance > 0) {
      face.ascent = font_extents.ascent / measuring_size;
      face.descent = font_extents.descent / measuring_size;
      face.advance = text_extents.x_advance / measuring_size;
    }
  }
  cairo_scaled_font_destroy(measuring);
  return faces_.emplace(family, face).first->second;
}

void TextFonts::select(std::string_view options) {
  const auto parsed = parse_font_options(options);
  const bool cell_face = is_cell_face_name(parsed.face);
  face_ = &face_for(cell_face ? std::string(cell_face_family) : parsed.face);
  proportional_ = parsed.proportional || (!cell_face && !face_->monospaced);
  cells_ = !proportional_;
  cell_height_ =
      parsed.height > 0 ? std::min(parsed.height, largest_font_pixels) : default_cell_height;
  const double em_height = face_->ascent + face_->descent;
  cell_width_ =
      parsed.width > 0
          ? std::min(parsed.width, largest_font_pixels)
          : std::max(1, static_cast<int>(std::lround(cell_height_ * face_->advance / em_height)));
  if (scaled_font_ != nullptr) cairo_scaled_font_destroy(scaled_font_);
  scaled_font_ = nullptr;
}

void TextFonts::ensure_scaled_font() {
  if (scaled_font_ != nullptr) return;
  if (face_ == nullptr) select("t'Terminal'h16w8");
  const double em_height = face_->ascent + face_->descent;
  const double vertical = cell_height_ / em_height;
  const double horizontal = cells_ ? cell_width_ / face_->advance : vertical;
  scaled_font_ = unhinted_scaled_font(face_->face, horizontal, vertical, CAIRO_ANTIALIAS_GRAY);
}

int TextFonts::text_width(std::string_view text) {
  ensure_scaled_font();
  if (cells_) {
    const auto characters =
        static_cast<long>(std::min<std::size_t>(character_count(text), 1 << 30));
    return static_cast<int>(std::min<long>(characters * cell_width_, 1L << 30));
  }
  const std::string utf8 = utf8_from_text(text);
  cairo_text_extents_t extents;
  cairo_scaled_font_text_extents(scaled_font_, utf8.c_str(), &extents);
  return static_cast<int>(std::ceil(std::clamp(extents.x_advance, 0.0, 1e9)));
}

PixelRectangle TextFonts::draw(PixelSurface& surface, int x, int y, std::string_view text,
                               std::uint32_t colour, const PixelRectangle& clip) {
  const int width = text_width(text);
  if (width <= 0) return {};
  const PixelRectangle box{x, y, static_cast<int>(std::min<long>(long{x} + width - 1, 1L << 30)),
                           y + cell_height_ - 1};
  const PixelRectangle touched =
      box.intersection(clip).intersection({0, 0, surface.width() - 1, surface.height() - 1});
  if (touched.empty()) return {};

  const std::string utf8 = utf8_from_text(text);
  const double baseline = y + face_->ascent * cell_height_ / (face_->ascent + face_->descent);
  cairo_glyph_t* raw_glyphs = nullptr;
  int glyph_count = 0;
  if (cairo_scaled_font_text_to_glyphs(scaled_font_, x, baseline, utf8.c_str(),
                                       static_cast<int>(utf8.size()), &raw_glyphs, &glyph_count,
                                       nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS)
    return {};
  const std::unique_ptr<cairo_glyph_t, GlyphsDeleter> glyphs(raw_glyphs);
  if (cells_) {
    for (int index = 0; index < glyph_count; ++index)
      raw_glyphs[index].x = x + static_cast<double>(index) * cell_width_;
  }

  cairo_t* context = cairo_create(surface.begin_cairo_drawing());
  cairo_rectangle(context, touched.x1, touched.y1, touched.x2 - touched.x1 + 1,
                  touched.y2 - touched.y1 + 1);
  cairo_clip(context);
  cairo_set_source_rgb(context, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                       (colour & 0xFF) / 255.0);
  cairo_set_scaled_font(context, scaled_font_);
  cairo_show_glyphs(context, raw_glyphs, glyph_count);
  cairo_destroy(context);
  surface.end_cairo_drawing();
  surface.add_damage(touched);
  return touched;
}

}  // namespace curvist
