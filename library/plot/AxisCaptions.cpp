#include "plot/AxisCaptions.hpp"

#include <cmath>
#include <string>

#include "plot/ScreenFonts.hpp"
#include "plot/TickLabels.hpp"
#include "text/Utf8Text.hpp"

namespace curvist::plot {

void draw_captions(WindowOperations& windows, const ScreenLayout& layout,
                   const TextField<120>& x_caption, const TextField<120>& y_caption) {
  const double X0 = layout.X0, Y0 = layout.Y0, XLO = layout.XLO, XHI = layout.XHI, YHI = layout.YHI,
               PX = layout.PX, PY = layout.PY, SY = layout.SY;
  const auto& y_format = layout.y_format;
  const auto x_text = x_caption.trimmed();
  const auto y_text = y_caption.trimmed();
  // The label font draws every character in a cell of its own, whatever its bytes.
  const int LX = static_cast<int>(character_count(x_text));
  const int LY = static_cast<int>(character_count(y_text));

  // Above the x axis, ending 6 pixels before the arrow tip.
  windows.move_to(XHI - (label_character_width * LX + 6) * PX, Y0 + 17 * PY);
  windows.draw_text(x_text);

  // Left of the y axis when there is room; otherwise right of it, and then also clear of
  // the highest tick label when that one reaches up near the caption.
  double left = X0 - (label_character_width * LY + 6) * PX;
  if (left < XLO) {
    left = X0 + 6 * PX;
    const double highest_tick = std::floor((YHI - Y0) / SY);
    if (highest_tick != 0 && Y0 + highest_tick * SY > YHI - 20 * PY) {
      const auto label = formatted_label(Y0 + highest_tick * SY, y_format);
      left = X0 + 6 * PX + label_character_width * static_cast<double>(label.size()) * PX;
    }
  }
  windows.move_to(left, YHI);
  windows.draw_text(y_text);
}

void mark_logarithmic(TextField<120>& caption) {
  caption.assign("log(" + std::string(without_blanks_around(caption.view())) + ")");
}

}  // namespace curvist::plot
