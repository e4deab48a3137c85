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

namespace curvist::c_interface {
namespace {

Outcome bad_arguments(std::string why) { return {CURVIST_BAD_ARGUMENTS, std::move(why)}; }

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

std::optional<Outcome> fault_of_count(const std::optional<int>& NCURVES) {
  if (NCURVES && *NCURVES < 1)
    return bad_arguments("NCURVES is " + std::to_string(*NCURVES) +
                         ": at least one curve is needed");
  return std::nullopt;
}

Outcome not_plotted(std::string why) { return {CURVIST_NOT_PLOTTED, std::move(why)}; }

// After a picture was drawn: whether it was written, counted by the module.
Outcome picture_written(int unwritten_before) {
  if (PGPLOTPACK::unwritten_pictures() == unwritten_before) return {};
  return {CURVIST_PICTURE_NOT_WRITTEN, PGPLOTPACK::why_last_picture_not_written()};
}

template <typename Element, typename COptions, typename Operation, typename Check>
curvist_status screen_plot(const Element* x, const Element* y, std::size_t points,
                           std::size_t curves, const COptions* given, COptions defaults,
                           Operation operation, Check fault_of_options) {
  return guarded([&]() -> Outcome {
    if (auto fault = fault_of_curves(x, y, points, curves)) return *fault;
    const auto options = read_options(given, defaults);
    if (!options) return bad_arguments(wrong_size(given, "options"));
    const auto module_options = screen_options(*options);
    if (auto fault = fault_of_options(module_options)) return *fault;
    const std::span<const Element> all_x(x, points * curves), all_y(y, points * curves);
    const auto why_not = PLOTPACK::why_no_plot(all_x, all_y, module_options.LOGX.value_or(false),
                                               module_options.LOGY.value_or(false));
    if (!why_not.empty()) return not_plotted(why_not);
    operation(all_x, all_y, module_options);
    return {};
  });
}

template <typename Element, typename COptions, typename Operation, typename Check>
curvist_status picture_plot(const Element* x, const Element* y, std::size_t points,
                            std::size_t curves, const COptions* given, COptions defaults,
                            Operation operation, Check fault_of_options) {
  return guarded([&]() -> Outcome {
    if (auto fault = fault_of_curves(x, y, points, curves)) return *fault;
    const auto options = read_options(given, defaults);
    if (!options) return bad_arguments(wrong_size(given, "options"));
    const auto module_options = picture_options(*options);
    if (auto fault = fault_of_options(module_options)) return *fault;
    const std::span<const Element> all_x(x, points * curves), all_y(y, points * curves);
    const auto why_not = PGPLOTPACK::why_no_picture(
        all_x, all_y, module_options.LOGX.value_or(false), module_options.LOGY.value_or(false));
    if (!why_not.empty()) return not_plotted(why_not);
    const int unwritten_before = PGPLOTPACK::unwritten_pictures();
    operation(all_x, all_y, module_options);
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

const auto no_fault = [](const auto&) { return std::optional<Outcome>(); };
const auto fault_of_list = [](const auto& options) { return fault_of_count(options.NCURVES); };

}  // namespace
}  // namespace curvist::c_interface

using namespace curvist;
using namespace curvist::c_interface;

extern "C" {

curvist_status curvist_plotdp(const double* x, const double* y, size_t points, size_t curves,
                              const curvist_screen_options* options) {
  return screen_plot(x, y, points, curves, options, curvist_screen_options_default(),
                     matrix(&PLOTPACK::PLOTDP, points), no_fault);
}

curvist_status curvist_plotsp(const float* x, const float* y, size_t points, size_t curves,
                              const curvist_screen_options* options) {
  return screen_plot(x, y, points, curves, options, curvist_screen_options_default(),
                     matrix(&PLOTPACK::PLOTSP, points), no_fault);
}

curvist_status curvist_plotlistdp(const double* x, const double* y, size_t count,
                                  const curvist_screen_list_options* options) {
  return screen_plot(x, y, count, 1, options, curvist_screen_list_options_default(),
                     &PLOTPACK::PLOTLISTDP, fault_of_list);
}

curvist_status curvist_plotlistsp(const float* x, const float* y, size_t count,
                                  const curvist_screen_list_options* options) {
  return screen_plot(x, y, count, 1, options, curvist_screen_list_options_default(),
                     &PLOTPACK::PLOTLISTSP, fault_of_list);
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
  return picture_plot(x, y, points, curves, options, curvist_picture_options_default(),
                      matrix(&PGPLOTPACK::PGPLOTDP, points), no_fault);
}

curvist_status curvist_pgplotsp(const float* x, const float* y, size_t points, size_t curves,
                                const curvist_picture_options* options) {
  return picture_plot(x, y, points, curves, options, curvist_picture_options_default(),
                      matrix(&PGPLOTPACK::PGPLOTSP, points), no_fault);
}

curvist_status curvist_pgplotlistdp(const double* x, const double* y, size_t count,
                                    const curvist_picture_list_options* options) {
  return picture_plot(x, y, count, 1, options, curvist_picture_list_options_default(),
                      &PGPLOTPACK::PGPLOTLISTDP, fault_of_list);
}

curvist_status curvist_pgplotlistsp(const float* x, const float* y, size_t count,
                                    const curvist_picture_list_options* options) {
  return picture_plot(x, y, count, 1, options, curvist_picture_list_options_default(),
                      &PGPLOTPACK::PGPLOTLISTSP, fault_of_list);
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
