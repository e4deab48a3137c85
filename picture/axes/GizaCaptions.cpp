#include "axes/GizaCaptions.hpp"

// giza.h does not declare its functions for C++ itself.
extern "C" {
#include <giza.h>
}

#include <cmath>
#include <string>
#include <vector>

#include "axes/GizaText.hpp"

namespace curvist {
namespace {

// A side of the viewport and the distance from it in character heights, as giza's PGLAB
// places the captions.
struct CaptionPlace {
  const char* side;
  double displacement;
  bool along_height;  // the text runs up the side instead of across
};

constexpr CaptionPlace below{"B", 3.0, false};
constexpr CaptionPlace beside{"L", 3.0, true};
constexpr CaptionPlace above{"T", 2.0, false};

void draw_caption(const CaptionPlace& place, std::string_view text) {
  constexpr double centre = 0.5;
  const std::vector<std::string> pieces = giza_text_pieces(text);
  if (pieces.size() == 1) {
    giza_annotate(place.side, place.displacement, centre, centre, pieces[0].c_str());
    return;
  }
  // Pieces follow one another from where the whole text would begin, centred as one.
  std::vector<double> widths;
  double total_width = 0;
  for (const std::string& piece : pieces) {
    double width = 0, height = 0;
    giza_qtextlen(GIZA_UNITS_DEVICE, piece.c_str(), &width, &height);
    widths.push_back(width);
    total_width += width;
  }
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  giza_get_viewport(GIZA_UNITS_DEVICE, &x1, &x2, &y1, &y2);
  const double side_length = place.along_height ? std::fabs(y2 - y1) : std::fabs(x2 - x1);
  if (!(side_length > 0)) return;
  double offset = -total_width / 2;
  for (std::size_t index = 0; index < pieces.size(); ++index) {
    constexpr double left_justified = 0.0;
    giza_annotate(place.side, place.displacement, centre + offset / side_length, left_justified,
                  pieces[index].c_str());
    offset += widths[index];
  }
}

}  // namespace

void draw_giza_captions(std::string_view x_caption, std::string_view y_caption,
                        std::string_view title) {
  draw_caption(below, x_caption);
  draw_caption(beside, y_caption);
  draw_caption(above, title);
}

}  // namespace curvist
