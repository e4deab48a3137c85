// The operations of the three modules for C callers: the curves and options checked,
// then the module's operation, and a status that says what became of the plot.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include <curvist/LoadPlot.hpp>
#include <curvist/PgPlot.hpp>
#include <curvist/Plot.hpp>
#include "c/CallBoundary.hpp"
#include "c/OptionsFromC.hpp"
#include "c/Outcomes.hpp"

namespace curvist::c_interface {
namespace {

// Why x and y hold no curves to plot; nothing when they hold some.
template <typename Element>
std::optional<Outcome> fault_of_curves(const Element* x, const Element* y, std::size_t points,
                                       std::size_t curves) {
  if (points == 0) return bad_arguments("there are no points");
  if (curves == 0) return bad_arguments("there are no curves");
  if (points > SIZE_MAX / sizeof(Element) / curves)
    return bad_arguments(std::to_string(curves) + " curves of " + std::to_string(points) +
                         " points are more than memory can hold");
  if (x == nullptr) return bad_arguments("x is a null pointer");
  if (y == nullptr) return bad_arguments("y is a null pointer");
  return std::nullopt;
}

// Why the options draw nothing: a list of less than one curve.
template <typename Options>
std::optional<Outcome> fault_of_options(const Options& options) {
  if constexpr (requires { options.NCURVES; }) {
    if (options.NCURVES && *options.NCURVES < 1)
      return bad_arguments("NCURVES is " + std::to_string(*options.NCURVES) +
                           ": at least one curve is needed");
  }
  return std::nullopt;
}

// Why the module the options belong to draws nothing for these values; empty when it
// draws them.
template <typename Options, typename Element>
std::string why_nothing_drawn(const Options& options, std::span<const Element> all_x,
                              std::span<const Element> all_y) {
  const bool log_x = options.LOGX.value_or(false), log_y = options.LOGY.value_or(false);
  if constexpr (requires { options.FILENAME; })
    return PGPLOTPACK::why_no_picture(all_x, all_y, log_x, log_y);
  else
    return PLOTPACK::why_no_plot(all_x, all_y, log_x, log_y);
}

// One plot operation of either module, `points` * `curves` values in x and in y.
template <typename Element, typename COptions, typename Operation>
curvist_status curve_plot(const Element* x, const Element* y, std::size_t points,
                          std::size_t curves, const COptions* given, COptions defaults,
                          Operation operation) {
  return guarded([&]() -> Outcome {
    if (auto fault = fault_of_curves(x, y, points, curves)) return *fault;
    const auto options = read_options(given, defaults);
    if (!options) return bad_arguments(wrong_size(given, "options"));
    const auto chosen = module_options(*options);
    if (auto fault = fault_of_options(chosen)) return *fault;
    const std::span<const Element> all_x(x, points * curves), all_y(y, points * curves);
    const auto why_not = why_nothing_drawn(chosen, all_x, all_y);
    if (!why_not.empty()) return not_plotted(why_not);
    const int unwritten_before = PGPLOTPACK::unwritten_pictures();
    operation(all_x, all_y, chosen);
    return picture_written(unwritten_before);
  });
}

// The matrix operations take the whole arrays as a view of `points` rows.
template <typename Element, typename Options>
auto matrix(void (*operation)(ColumnMajorView<const Element>, ColumnMajorView<const Element>,
                              const Options&),
            std::size_t points) {
  return [operation, points](std::span<const Element> all_x, std::span<const Element> all_y,
                             const Options& options) {
    const std::size_t curves = all_x.size() / points;
    operation({all_x.data(), points, curves}, {all_y.data(), points, curves}, options);
  };
}

}  // namespace
}  // namespace curvist::c_interface

using namespace curvist;
using namespace curvist::c_interface;

extern "C" {

curvist_status curvist_plotdp(const double* x, const double* y, size_t points, size_t curves,
                              const curvist_screen_options* options) {
  return curve_plot(x, y, points, curves, options, curvist_screen_options_default(),
                    matrix(&PLOTPACK::PLOTDP, points));
}

curvist_status curvist_plotsp(const float* x, const float* y, size_t points, size_t curves,
                              const curvist_screen_options* options) {
  return curve_plot(x, y, points, curves, options, curvist_screen_options_default(),
                    matrix(&PLOTPACK::PLOTSP, points));
}

curvist_status curvist_plotlistdp(const double* x, const double* y, size_t count,
                                  const curvist_screen_list_options* options) {
  return curve_plot(x, y, count, 1, options, curvist_screen_list_options_default(),
                    &PLOTPACK::PLOTLISTDP);
}

curvist_status curvist_plotlistsp(const float* x, const float* y, size_t count,
                                  const curvist_screen_list_options* options) {
  return curve_plot(x, y, count, 1, options, curvist_screen_list_options_default(),
                    &PLOTPACK::PLOTLISTSP);
}

int curvist_window_counter(void) {
  try {
    const std::lock_guard lock(library_calls());
    return PLOTPACK::window_counter();
  } catch (...) {
    return 0;
  }
}

curvist_status curvist_pgplotdp(const double* x, const double* y, size_t points, size_t curves,
                                const curvist_picture_options* options) {
  return curve_plot(x, y, points, curves, options, curvist_picture_options_default(),
                    matrix(&PGPLOTPACK::PGPLOTDP, points));
}

curvist_status curvist_pgplotsp(const float* x, const float* y, size_t points, size_t curves,
                                const curvist_picture_options* options) {
  return curve_plot(x, y, points, curves, options, curvist_picture_options_default(),
                    matrix(&PGPLOTPACK::PGPLOTSP, points));
}

curvist_status curvist_pgplotlistdp(const double* x, const double* y, size_t count,
                                    const curvist_picture_list_options* options) {
  return curve_plot(x, y, count, 1, options, curvist_picture_list_options_default(),
                    &PGPLOTPACK::PGPLOTLISTDP);
}

curvist_status curvist_pgplotlistsp(const float* x, const float* y, size_t count,
                                    const curvist_picture_list_options* options) {
  return curve_plot(x, y, count, 1, options, curvist_picture_list_options_default(),
                    &PGPLOTPACK::PGPLOTLISTSP);
}

int curvist_unwritten_pictures(void) {
  try {
    const std::lock_guard lock(library_calls());
    return PGPLOTPACK::unwritten_pictures();
  } catch (...) {
    return 0;
  }
}

curvist_status curvist_loadplot(const char* name, const curvist_load_options* given) {
  return guarded([&]() -> Outcome {
    if (name == nullptr) return bad_arguments("the data file's name is a null pointer");
    const auto options = read_options(given, curvist_load_options_default());
    if (!options) return bad_arguments(wrong_size(given, "options"));
    const int unwritten_before = PGPLOTPACK::unwritten_pictures();
    std::string why_not;
    LOADPLOTPACK::LOADPLOT(name, text(options->DEVICE), &why_not);
    if (!why_not.empty()) return not_plotted(std::string(name) + ": " + why_not);
    return picture_written(unwritten_before);
  });
}

}  // extern "C"
