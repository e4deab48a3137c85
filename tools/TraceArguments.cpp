#include "TraceArguments.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <utility>

namespace curvist::trace {
namespace {

constexpr std::array<std::pair<std::string_view, Operation>, 11> operations{{
    {"MAIN", Operation::MAIN},
    {"LOADPLOT", Operation::LOADPLOT},
    {"PLOTDP", Operation::PLOTDP},
    {"PLOTSP", Operation::PLOTSP},
    {"PLOTLISTDP", Operation::PLOTLISTDP},
    {"PLOTLISTSP", Operation::PLOTLISTSP},
    {"PGPLOTDP", Operation::PGPLOTDP},
    {"PGPLOTSP", Operation::PGPLOTSP},
    {"PGPLOTLISTDP", Operation::PGPLOTLISTDP},
    {"PGPLOTLISTSP", Operation::PGPLOTLISTSP},
    {"PURGE", Operation::PURGE},
}};

bool is_screen_plot(Operation operation) {
  return operation == Operation::PLOTDP || operation == Operation::PLOTSP ||
         operation == Operation::PLOTLISTDP || operation == Operation::PLOTLISTSP;
}

bool is_file_plot(Operation operation) {
  return operation == Operation::PGPLOTDP || operation == Operation::PGPLOTSP ||
         operation == Operation::PGPLOTLISTDP || operation == Operation::PGPLOTLISTSP;
}

bool is_list_plot(Operation operation) {
  return operation == Operation::PLOTLISTDP || operation == Operation::PLOTLISTSP ||
         operation == Operation::PGPLOTLISTDP || operation == Operation::PGPLOTLISTSP;
}

// Which operations take which option.
bool takes_option(Operation operation, std::string_view option) {
  if (option == "repeat" || option == "cells" || option == "console-cells" ||
      option == "open-failures")
    return true;
  if (option == "device") return operation == Operation::LOADPLOT || is_file_plot(operation);
  if (option == "ncurves") return is_list_plot(operation);
  if (option == "join" || option == "logx" || option == "logy" || option == "xlabel" ||
      option == "ylabel" || option == "title")
    return is_screen_plot(operation) || is_file_plot(operation);
  if (option == "resolution" || option == "ownwindow" || option == "reusewindow")
    return is_screen_plot(operation);
  if (option == "filename") return is_file_plot(operation);
  return false;
}

std::optional<int> whole_integer(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> zero_or_one(std::string_view text) {
  if (text == "0") return false;
  if (text == "1") return true;
  return std::nullopt;
}

std::optional<WindowSize> cells(std::string_view text) {
  const auto separator = text.find('x');
  if (separator == std::string_view::npos) return std::nullopt;
  const auto columns = whole_integer(text.substr(0, separator));
  const auto rows = whole_integer(text.substr(separator + 1));
  if (!columns || !rows || *columns < 0 || *rows < 0) return std::nullopt;
  return WindowSize{*columns, *rows};
}

// Sets one option; false when its value is not of the option's kind.
bool apply_option(TraceRequest& request, std::string_view name, std::string_view value) {
  Parameters& parameters = request.parameters;
  const auto set_flag = [&](std::optional<bool>& flag) {
    flag = zero_or_one(value);
    return flag.has_value();
  };
  const auto set_integer = [&](std::optional<int>& integer) {
    integer = whole_integer(value);
    return integer.has_value();
  };
  if (name == "join") return set_flag(parameters.JOIN);
  if (name == "logx") return set_flag(parameters.LOGX);
  if (name == "logy") return set_flag(parameters.LOGY);
  if (name == "ownwindow") return set_flag(parameters.OWNWINDOW);
  if (name == "reusewindow") return set_flag(parameters.REUSEWINDOW);
  if (name == "resolution") return set_integer(parameters.RESOLUTION);
  if (name == "ncurves") return set_integer(parameters.NCURVES);
  if (name == "xlabel") return parameters.XLABEL = std::string(value), true;
  if (name == "ylabel") return parameters.YLABEL = std::string(value), true;
  if (name == "title") return parameters.TITLE = std::string(value), true;
  if (name == "filename") return parameters.FILENAME = std::string(value), true;
  if (name == "device") return parameters.DEVICE = std::string(value), true;
  if (name == "cells" || name == "console-cells") {
    const auto size = cells(value);
    if (!size) return false;
    (name == "cells" ? request.screen.window_cells : request.screen.console_cells) = *size;
    return true;
  }
  const auto count = whole_integer(value);
  if (!count || *count < 0) return false;
  (name == "repeat" ? request.repeat : request.screen.open_failures) = *count;
  return true;
}

}  // namespace

std::variant<TraceRequest, UsageError> parse_trace_arguments(
    const std::vector<std::string>& arguments) {
  if (arguments.empty()) return UsageError{"no operation given"};
  TraceRequest request;
  const std::string& operation_name = arguments[0];
  const auto known = std::find_if(operations.begin(), operations.end(),
                                  [&](const auto& entry) { return entry.first == operation_name; });
  if (known == operations.end()) return UsageError{"unknown operation " + operation_name};
  request.operation = known->second;

  std::size_t next = 1;
  if (request.operation != Operation::MAIN) {
    if (arguments.size() < 2)
      return UsageError{operation_name + (request.operation == Operation::PURGE ? " needs a TEXT"
                                                                                : " needs a FILE")};
    request.file = arguments[1];
    next = 2;
  }
  for (; next < arguments.size(); ++next) {
    const std::string_view argument = arguments[next];
    const auto equals = argument.find('=');
    if (!argument.starts_with("--") || equals == std::string_view::npos)
      return UsageError{"unexpected argument " + std::string(argument)};
    const std::string_view name = argument.substr(2, equals - 2);
    const std::string_view value = argument.substr(equals + 1);
    if (!takes_option(request.operation, name))
      return UsageError{"--" + std::string(name) + " is not an option of " + operation_name};
    if (!apply_option(request, name, value))
      return UsageError{"bad value in " + std::string(argument)};
  }
  return request;
}

std::string trace_usage() {
  return "Usage: curvist-trace OPERATION [FILE] [OPTION ...]\n"
         "  OPERATION: MAIN, LOADPLOT, PLOTDP, PLOTSP, PLOTLISTDP, PLOTLISTSP, PGPLOTDP,\n"
         "             PGPLOTSP, PGPLOTLISTDP, PGPLOTLISTSP, or PURGE TEXT\n"
         "  parameters: --join=0|1 --logx=0|1 --logy=0|1 --resolution=N --xlabel=TEXT\n"
         "              --ylabel=TEXT --title=TEXT --ownwindow=0|1 --reusewindow=0|1\n"
         "              --filename=TEXT --device=TEXT --ncurves=N\n"
         "  run: --repeat=N --cells=CxR --console-cells=CxR --open-failures=N\n";
}

}  // namespace curvist::trace
