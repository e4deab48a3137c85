#pragma once
// Where everything of a screen plot goes: the axis crossings, the data range widened into
// the window range, the size of one pixel in data units, the tick steps and the label
// formats. Plain numbers, computed once per plot.

#include "fortranformat/RealEditing.hpp"
#include "plot/DrawingArea.hpp"

namespace curvist::plot {

struct DataLimits {
  double xmin = 0;
  double xmax = 0;
  double ymin = 0;
  double ymax = 0;
};

struct ScreenLayout {
  DrawingArea area;
  double X0 = 0;  // the y axis stands at x = X0
  double Y0 = 0;  // the x axis at y = Y0
  double XLO = 0, XHI = 0, YLO = 0, YHI = 0;
  double PX = 0, PY = 0;  // data units per pixel
  double SX = 0, SY = 0;  // tick steps
  fortranformat::RealEdit x_format;
  fortranformat::RealEdit y_format;
};

ScreenLayout lay_out_screen(DrawingArea area, DataLimits limits);

}  // namespace curvist::plot
