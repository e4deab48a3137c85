#pragma once
// A data file read whole: K curves of N points as N-by-K arrays, and its three captions.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "array/ColumnMajorView.hpp"
#include "text/Refusal.hpp"
#include "text/TextField.hpp"

namespace curvist {

class FileText;

struct PlotFile {
  int curves = 0;         // K
  int points = 0;         // N
  std::vector<double> x;  // N by K, column-major
  std::vector<double> y;
  TextField<100> x_caption;
  TextField<100> y_caption;
  TextField<100> title;

  ColumnMajorView<const double> x_view() const {
    return {x.data(), std::size_t(points), std::size_t(curves)};
  }
  ColumnMajorView<const double> y_view() const {
    return {y.data(), std::size_t(points), std::size_t(curves)};
  }
};

// Reads the data file `name` (trailing blanks not significant) as LOADPLOT does; refused
// when any step of the reading fails, with the first reason, and the line where there is
// one: line 12: "n/a" is not a number.
Refusable<PlotFile> read_plot_file(std::string_view name, Reasons reasons = Reasons::unasked);

// The same from a data file opened already, read from its start (again, if it was read
// before: a text held whole comes from memory).
Refusable<PlotFile> read_plot_file(FileText& file, Reasons reasons = Reasons::unasked);

}  // namespace curvist
