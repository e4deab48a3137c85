#include <cmath>

#include "platform/Platform.hpp"
#include "plot/ScreenFrame.hpp"
#include "plot/TickLabels.hpp"
#include "text/Utf8Text.hpp"

namespace curvist::plot {
namespace {

// Text widths are estimated from the label font's 9-pixel cells.
constexpr int character_width = 9;

}  // namespace

void draw_captions(const ScreenLayout& layout, const TextField<120>& x_caption,
                   const TextField<120>& y_caption) {
  auto& windows = current_windows();
  const auto& [area, X0, Y0, XLO, XHI, YLO, YHI, PX, PY, SX, SY, x_format, y_format] = layout;
  const auto x_text = x_caption.trimmed();
  const auto y_text = y_caption.trimmed();
  // The label font draws every character in a cell of its own, whatever its bytes.
  const int LX = static_cast<int>(character_count(x_text));
  const int LY = static_cast<int>(character_count(y_text));

  // Above the x axis, ending 6 pixels before the arrow tip.
  windows.move_to(XHI - (character_width * LX + 6) * PX, Y0 + 17 * PY);
  windows.draw_text(x_text);

  // Left of the y axis when there is room; otherwise right of it, and then also clear of
  // the highest tick label when that one reaches up near the caption.
  double left = X0 - (character_width * LY + 6) * PX;
  if (left < XLO) {
    left = X0 + 6 * PX;
    const double highest_tick = std::floor((YHI - Y0) / SY);
    if (highest_tick != 0 && Y0 + highest_tick * SY > YHI - 20 * PY) {
      const auto label = formatted_label(Y0 + highest_tick * SY, y_format);
      left = X0 + 6 * PX + character_width * static_cast<double>(label.size()) * PX;
    }
  }
  windows.move_to(left, YHI);
  windows.draw_text(y_text);
}

}  // namespace curvist::plot
