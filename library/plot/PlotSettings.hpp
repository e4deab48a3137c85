#pragma once
// The step every plot of both plotters starts with: the options with their defaults, the
// captions as working fields, the limits, and the check that skips a degenerate plot.
// What differs between the plotters is a parameter: the precision of the limits and the
// width of the caption fields (80 characters for pictures, 120 on screen).

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "plot/AxisValues.hpp"
#include "plot/PlotLimits.hpp"
#include "text/Blanks.hpp"
#include "text/TextField.hpp"

namespace curvist::plot {

inline constexpr std::string_view default_x_caption = "x";
inline constexpr std::string_view default_y_caption = "y";
inline constexpr std::string_view default_title = "Representation of y=y(x)";

struct PlotFlags {
  bool join = true;
  bool log_x = false;
  bool log_y = false;
};

template <std::size_t Width>
struct WorkingCaptions {
  TextField<Width> x_caption;
  TextField<Width> y_caption;
  TextField<Width> title;
};

template <typename Limit, std::size_t CaptionWidth>
struct PlotSettings {
  PlotFlags flags;
  WorkingCaptions<CaptionWidth> captions;
  PlotLimits<Limit> limits;

  // The values drawn for the data: logarithms on a logarithmic axis, in the element's own
  // precision, and a zero ordinate there at the lowest value of the y axis.
  template <typename Element>
  AxisValues<Element> x_values() const {
    return {flags.log_x, false, 0};
  }
  template <typename Element>
  AxisValues<Element> y_values() const {
    return {flags.log_y, true, static_cast<Element>(limits.ymin)};
  }
};

// A caption given by the caller loses the blanks around it; one given blank stays blank
// (the default is for an absent caption only).
template <std::size_t Width>
TextField<Width> working_caption(const std::optional<std::string_view>& given,
                                 std::string_view default_caption) {
  return TextField<Width>(given ? without_blanks_around(*given) : default_caption);
}

// Every option set of both plotters has the members read here. all_x and all_y are the
// whole arrays the limits come from. Nothing when the plot is to be skipped.
template <typename Limit, std::size_t CaptionWidth, typename Options, typename Element>
std::optional<PlotSettings<Limit, CaptionWidth>> plot_settings(const Options& options,
                                                               std::span<const Element> all_x,
                                                               std::span<const Element> all_y) {
  const PlotFlags flags{options.JOIN.value_or(true), options.LOGX.value_or(false),
                        options.LOGY.value_or(false)};
  const auto limits = plot_limits<Limit>(all_x, all_y, flags.log_x, flags.log_y);
  if (!limits) return std::nullopt;
  return PlotSettings<Limit, CaptionWidth>{
      flags,
      {working_caption<CaptionWidth>(options.XLABEL, default_x_caption),
       working_caption<CaptionWidth>(options.YLABEL, default_y_caption),
       working_caption<CaptionWidth>(options.TITLE, default_title)},
      *limits};
}

}  // namespace curvist::plot
