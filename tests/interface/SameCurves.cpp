// The curves of the languages' identity test (SameCurves.cmake), drawn through the C++
// interface; same-curves.c, same-curves.f90 and same_curves.py draw them through theirs.
#include <cstdio>
#include <vector>

#include <curvist/PgPlot.hpp>
#include <curvist/Plot.hpp>
#include <curvist/platform/PlatformChoice.hpp>

int main() {
  constexpr std::size_t points = 50, curves = 2;
  std::vector<double> x(points * curves), y(points * curves);
  for (std::size_t i = 0; i < points; ++i) {
    x[i] = x[points + i] = double(i) * 0.25;
    y[i] = double(i * i * 7 % 23) * 0.5 - 3.0;
    y[points + i] = double(i * 5 % 17) * 0.25;
  }
  const std::vector<float> x32(x.begin(), x.end()), y32(y.begin(), y.end());
  const curvist::ColumnMajorView<const double> X(x.data(), points, curves),
      Y(y.data(), points, curves);
  const curvist::ColumnMajorView<const float> X32(x32.data(), points, curves),
      Y32(y32.data(), points, curves);

  const curvist::ChosenPlatform offscreen(curvist::PlotWindows::offscreen);
  curvist::PLOTPACK::ScreenPlotOptions screen{.RESOLUTION = 0,
                                              .XLABEL = "t (s)",
                                              .YLABEL = "amplitude (µV)",
                                              .TITLE = "Same curves",
                                              .OWNWINDOW = true};
  curvist::PLOTPACK::PLOTDP(X, Y, screen);
  screen.JOIN = false;
  curvist::PLOTPACK::PLOTSP(X32, Y32, screen);
  curvist::PGPLOTPACK::FilePlotOptions picture{.XLABEL = "t (s)",
                                               .YLABEL = "amplitude (µV)",
                                               .TITLE = "Same curves",
                                               .FILENAME = "matrix-dp.ps"};
  curvist::PGPLOTPACK::PGPLOTDP(X, Y, picture);
  picture.JOIN = false;
  picture.FILENAME = "matrix-sp.ps";
  curvist::PGPLOTPACK::PGPLOTSP(X32, Y32, picture);

  // A frame of each module's own, and the captions PREPARESCREEN changed.
  using Field = curvist::TextField<80>;
  curvist::PGPLOTPACK::PREPARESCREEN(0, 12.25f, -1, 2, true, false, true, Field("t (s)"),
                                     Field("amplitude (µV)"), Field("Same frame"),
                                     Field("frame.ps"), Field("ps"));
  curvist::PGPLOTPACK::KILLSCREEN("frame.ps");
  double xmin = -1, xmax = 1.1, ymin = -3, ymax = 8;
  curvist::PLOTPACK::TextField120 x_caption("t \\u2\\d (s)"), y_caption("amplitude (µV)"), title;
  curvist::PLOTPACK::PREPARESCREEN(xmin, xmax, ymin, ymax, true, true, false, 0, x_caption,
                                   y_caption, title, true, false);
  curvist::PLOTPACK::KILLSCREEN(true);
  if (FILE* captions = std::fopen("captions.txt", "w")) {
    for (const auto* caption : {&x_caption, &y_caption, &title})
      std::fprintf(captions, "%s\n", caption->text().c_str());
    std::fclose(captions);
  }

  std::string why_not;
  if (!curvist::write_window_png(101, "window-dp.png", &why_not) ||
      !curvist::write_window_png(102, "window-sp.png", &why_not) ||
      !curvist::write_window_png(103, "frame.png", &why_not)) {
    std::fprintf(stderr, "%s\n", why_not.c_str());
    return 1;
  }
  return curvist::PGPLOTPACK::unwritten_pictures() == 0 ? 0 : 1;
}
