// Plots a damped oscillation and its envelope: on screen in a window of its own
// (PLOTDP), and into a PNG picture (PGPLOTLISTSP), then keeps the window until it is
// closed.
#include <curvist/PgPlot.hpp>
#include <curvist/Plot.hpp>
#include <curvist/platform/PlatformChoice.hpp>

#include <cmath>
#include <cstdio>
#include <vector>

int main() {
  constexpr std::size_t points = 400;
  constexpr std::size_t curves = 2;

  // Column-major: curve 1 (the oscillation) then curve 2 (its envelope).
  std::vector<double> time(points * curves);
  std::vector<double> amplitude(points * curves);
  for (std::size_t i = 0; i < points; ++i) {
    const double t = 10.0 * static_cast<double>(i) / (points - 1);
    time[i] = time[points + i] = t;
    amplitude[i] = std::exp(-0.3 * t) * std::cos(2.0 * t);
    amplitude[points + i] = std::exp(-0.3 * t);
  }

  const curvist::ColumnMajorView<const double> x(time.data(), points, curves);
  const curvist::ColumnMajorView<const double> y(amplitude.data(), points, curves);
  curvist::PLOTPACK::PLOTDP(x, y,
                            {.RESOLUTION = 0,
                             .XLABEL = "t (s)",
                             .YLABEL = "amplitude",
                             .TITLE = "Damped oscillation",
                             .OWNWINDOW = true});

  // The same curves, one after another in 32-bit arrays, into damped.png.
  const std::vector<float> time32(time.begin(), time.end());
  const std::vector<float> amplitude32(amplitude.begin(), amplitude.end());
  curvist::PGPLOTPACK::PGPLOTLISTSP(time32, amplitude32,
                                    {.XLABEL = "t (s)",
                                     .YLABEL = "amplitude",
                                     .TITLE = "Damped oscillation",
                                     .FILENAME = "damped.ps",
                                     .NCURVES = static_cast<int>(curves),
                                     .DEVICE = "png"});

  curvist::keep_windows_until_closed();
  return 0;
}
