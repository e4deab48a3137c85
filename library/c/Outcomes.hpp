#pragma once
// The outcomes the C operations share: arguments that cannot be plotted, values that
// give nothing to plot, and whether a picture an operation ended was written.

#include <string>
#include <utility>

#include <curvist/PgPlot.hpp>
#include "c/CallBoundary.hpp"

namespace curvist::c_interface {

inline Outcome bad_arguments(std::string why) { return {CURVIST_BAD_ARGUMENTS, std::move(why)}; }

inline Outcome not_plotted(std::string why) { return {CURVIST_NOT_PLOTTED, std::move(why)}; }

// After the operation: whether a picture it ended was written, counted by the module.
inline Outcome picture_written(int unwritten_before) {
  if (PGPLOTPACK::unwritten_pictures() == unwritten_before) return {};
  return {CURVIST_PICTURE_NOT_WRITTEN, PGPLOTPACK::why_last_picture_not_written()};
}

}  // namespace curvist::c_interface
