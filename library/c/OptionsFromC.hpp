#pragma once
// The options a C caller passes, as the modules take them: each field absent where it
// holds CURVIST_DEFAULT or a null text, and the structure read as far as its size says.

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <curvist/LoadPlot.hpp>
#include <curvist/PgPlot.hpp>
#include <curvist/Plot.hpp>
#include "c/curvist.h"

namespace curvist::c_interface {

inline std::optional<bool> logical(int value) {
  if (value == CURVIST_DEFAULT) return std::nullopt;
  return value != 0;
}

inline std::optional<int> number(int value) {
  if (value == CURVIST_DEFAULT) return std::nullopt;
  return value;
}

inline std::optional<std::string_view> text(const char* value) {
  if (value == nullptr) return std::nullopt;
  return value;
}

// The caller's structure over the defaults, as far as its size reaches; nothing when
// the size is not one of a structure of this name. Structures only grow, so a later
// release accepts the sizes of this one and fills in what they lack.
template <typename Options>
std::optional<Options> read_options(const Options* given, Options defaults) {
  if (given == nullptr) return defaults;
  if (given->size != sizeof(Options)) return std::nullopt;
  std::memcpy(&defaults, given, given->size);
  return defaults;
}

template <typename Options>
std::string wrong_size(const Options* given, std::string_view name) {
  return "the " + std::string(name) + " structure holds " + std::to_string(given->size) +
         " bytes, this library knows one of " + std::to_string(sizeof(Options));
}

inline PLOTPACK::ScreenPlotOptions module_options(const curvist_screen_options& given) {
  return {logical(given.JOIN),      logical(given.LOGX),      logical(given.LOGY),
          number(given.RESOLUTION), text(given.XLABEL),       text(given.YLABEL),
          text(given.TITLE),        logical(given.OWNWINDOW), logical(given.REUSEWINDOW)};
}

inline PLOTPACK::ScreenListPlotOptions module_options(const curvist_screen_list_options& given) {
  return {logical(given.JOIN),      logical(given.LOGX),      logical(given.LOGY),
          number(given.RESOLUTION), text(given.XLABEL),       text(given.YLABEL),
          text(given.TITLE),        logical(given.OWNWINDOW), logical(given.REUSEWINDOW),
          number(given.NCURVES)};
}

inline PGPLOTPACK::FilePlotOptions module_options(const curvist_picture_options& given) {
  return {logical(given.JOIN), logical(given.LOGX), logical(given.LOGY),  text(given.XLABEL),
          text(given.YLABEL),  text(given.TITLE),   text(given.FILENAME), text(given.DEVICE)};
}

inline PGPLOTPACK::FileListPlotOptions module_options(const curvist_picture_list_options& given) {
  return {logical(given.JOIN),  logical(given.LOGX),   logical(given.LOGY),
          text(given.XLABEL),   text(given.YLABEL),    text(given.TITLE),
          text(given.FILENAME), number(given.NCURVES), text(given.DEVICE)};
}

}  // namespace curvist::c_interface
