#pragma once
// The values one screen plot call works with: its options or their defaults, and its
// captions as 120-character working fields.

#include <optional>
#include <string_view>

#include "text/Blanks.hpp"
#include "text/TextField.hpp"

namespace curvist::plot {

struct ScreenPlotSettings {
  bool JOIN = true;
  bool LOGX = false;
  bool LOGY = false;
  int RESOLUTION = 1;
  TextField<120> x_caption{"x"};
  TextField<120> y_caption{"y"};
  TextField<120> title{"Representation of y=y(x)"};
  bool OWNWINDOW = false;
  bool REUSEWINDOW = false;
};

// A caption given by the caller loses its leading and trailing blanks; one that is given
// but blank stays blank.
inline void take_caption(TextField<120>& field, std::optional<std::string_view> given) {
  if (given) field.assign(without_blanks_around(*given));
}

// Both option sets of the screen plotter have these members.
template <typename Options>
ScreenPlotSettings settings_from(const Options& options) {
  ScreenPlotSettings settings;
  settings.JOIN = options.JOIN.value_or(settings.JOIN);
  settings.LOGX = options.LOGX.value_or(settings.LOGX);
  settings.LOGY = options.LOGY.value_or(settings.LOGY);
  settings.RESOLUTION = options.RESOLUTION.value_or(settings.RESOLUTION);
  take_caption(settings.x_caption, options.XLABEL);
  take_caption(settings.y_caption, options.YLABEL);
  take_caption(settings.title, options.TITLE);
  settings.OWNWINDOW = options.OWNWINDOW.value_or(settings.OWNWINDOW);
  settings.REUSEWINDOW = options.REUSEWINDOW.value_or(settings.REUSEWINDOW);
  return settings;
}

}  // namespace curvist::plot
