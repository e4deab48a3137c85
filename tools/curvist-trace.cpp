// curvist-trace: runs one operation of Curvist with the recording console, PGPLOT layer
// and window operations, and prints every call they see, one line each.
#include <iostream>
#include <span>
#include <variant>
#include <vector>

#include "LoadPlot.hpp"
#include "Main.hpp"
#include "PgPlot.hpp"
#include "Plot.hpp"
#include "TraceArguments.hpp"
#include "platform/Platform.hpp"
#include "platform/RecordingPlatform.hpp"
#include "plotfile/PlotFile.hpp"
#include "trace/TraceLine.hpp"

namespace curvist::trace {
namespace {

std::optional<std::string_view> text_of(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return std::string_view(*text);
}

// The options an operation takes, from the ones given on the command line: the four
// option sets share their common fields, and each has a few of its own.
template <typename Options>
Options options_from(const Parameters& given) {
  Options options;
  options.JOIN = given.JOIN;
  options.LOGX = given.LOGX;
  options.LOGY = given.LOGY;
  options.XLABEL = text_of(given.XLABEL);
  options.YLABEL = text_of(given.YLABEL);
  options.TITLE = text_of(given.TITLE);
  if constexpr (requires { options.RESOLUTION; }) options.RESOLUTION = given.RESOLUTION;
  if constexpr (requires { options.OWNWINDOW; }) {
    options.OWNWINDOW = given.OWNWINDOW;
    options.REUSEWINDOW = given.REUSEWINDOW;
  }
  if constexpr (requires { options.FILENAME; }) {
    options.FILENAME = text_of(given.FILENAME);
    options.DEVICE = text_of(given.DEVICE);
  }
  if constexpr (requires { options.NCURVES; }) options.NCURVES = given.NCURVES;
  return options;
}

// The curves of a data file in both precisions; the columns of the N-by-K arrays lie one
// after another, which is the curve-list layout too.
struct Curves {
  PlotFile file;
  std::vector<float> x_single;
  std::vector<float> y_single;

  ColumnMajorView<const float> x_single_view() const {
    return {x_single.data(), std::size_t(file.points), std::size_t(file.curves)};
  }
  ColumnMajorView<const float> y_single_view() const {
    return {y_single.data(), std::size_t(file.points), std::size_t(file.curves)};
  }
};

Curves curves_of(PlotFile file) {
  Curves curves{std::move(file), {}, {}};
  curves.x_single.assign(curves.file.x.begin(), curves.file.x.end());
  curves.y_single.assign(curves.file.y.begin(), curves.file.y.end());
  return curves;
}

void print_purged(std::string text) {
  PLOTPACK::PURGE(text);
  // The quoting of a trace line, without a call name in front.
  std::cout << TraceLine("").quoted(text).text().substr(1) << '\n';
}

int run_once(const TraceRequest& request, const Curves* curves) {
  const Parameters& given = request.parameters;
  switch (request.operation) {
    case Operation::MAIN:
      return MAIN();
    case Operation::LOADPLOT:
      LOADPLOTPACK::LOADPLOT(request.file, text_of(given.DEVICE));
      return 0;
    case Operation::PURGE:
      print_purged(request.file);
      return 0;
    case Operation::PLOTDP:
      PLOTPACK::PLOTDP(curves->file.x_view(), curves->file.y_view(),
                       options_from<PLOTPACK::ScreenPlotOptions>(given));
      return 0;
    case Operation::PLOTSP:
      PLOTPACK::PLOTSP(curves->x_single_view(), curves->y_single_view(),
                       options_from<PLOTPACK::ScreenPlotOptions>(given));
      return 0;
    case Operation::PLOTLISTDP:
      PLOTPACK::PLOTLISTDP(curves->file.x, curves->file.y,
                           options_from<PLOTPACK::ScreenListPlotOptions>(given));
      return 0;
    case Operation::PLOTLISTSP:
      PLOTPACK::PLOTLISTSP(curves->x_single, curves->y_single,
                           options_from<PLOTPACK::ScreenListPlotOptions>(given));
      return 0;
    case Operation::PGPLOTDP:
      PGPLOTPACK::PGPLOTDP(curves->file.x_view(), curves->file.y_view(),
                           options_from<PGPLOTPACK::FilePlotOptions>(given));
      return 0;
    case Operation::PGPLOTSP:
      PGPLOTPACK::PGPLOTSP(curves->x_single_view(), curves->y_single_view(),
                           options_from<PGPLOTPACK::FilePlotOptions>(given));
      return 0;
    case Operation::PGPLOTLISTDP:
      PGPLOTPACK::PGPLOTLISTDP(curves->file.x, curves->file.y,
                               options_from<PGPLOTPACK::FileListPlotOptions>(given));
      return 0;
    case Operation::PGPLOTLISTSP:
      PGPLOTPACK::PGPLOTLISTSP(curves->x_single, curves->y_single,
                               options_from<PGPLOTPACK::FileListPlotOptions>(given));
      return 0;
  }
  return 0;
}

bool reads_a_data_file(Operation operation) {
  return operation != Operation::MAIN && operation != Operation::LOADPLOT &&
         operation != Operation::PURGE;
}

int run(const TraceRequest& request) {
  std::optional<Curves> curves;
  if (reads_a_data_file(request.operation)) {
    auto file = read_plot_file(request.file);
    if (!file) {
      std::cerr << "curvist-trace: " << request.file << " cannot be read as a data file\n";
      return 1;
    }
    curves = curves_of(std::move(*file));
  }

  const RecordingPlatform recorded(std::cout, request.screen);
  int status = 0;
  for (int run = 0; run < request.repeat && status == 0; ++run)
    status = run_once(request, curves ? &*curves : nullptr);
  std::cout.flush();
  return status;
}

}  // namespace
}  // namespace curvist::trace

int main(int argument_count, char** arguments) {
  using namespace curvist::trace;
  const std::vector<std::string> given(arguments + 1, arguments + argument_count);
  const auto parsed = parse_trace_arguments(given);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    std::cerr << "curvist-trace: " << error->message << '\n' << trace_usage();
    return 2;
  }
  return run(std::get<TraceRequest>(parsed));
}
