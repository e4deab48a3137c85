/* Plots a damped oscillation and its envelope: on screen in a window of its own
   (curvist_plotdp), and into a PNG picture (curvist_pgplotlistsp), then keeps the window
   until it is closed.

   cc -std=c11 damped-oscillation.c $(pkg-config --cflags --libs curvist) -lm */
#include <math.h>
#include <stdio.h>

#include <curvist/curvist.h>

enum { points = 400, curves = 2 };

static int failed(curvist_status status) {
  if (status == CURVIST_OK) return 0;
  fprintf(stderr, "damped-oscillation: %s\n", curvist_last_error());
  return 1;
}

int main(void) {
  /* Column-major: curve 1 (the oscillation) then curve 2 (its envelope). */
  static double time[points * curves], amplitude[points * curves];
  static float time32[points * curves], amplitude32[points * curves];
  for (int i = 0; i < points; ++i) {
    const double t = 10.0 * i / (points - 1);
    time[i] = time[points + i] = t;
    amplitude[i] = exp(-0.3 * t) * cos(2.0 * t);
    amplitude[points + i] = exp(-0.3 * t);
  }

  curvist_screen_options screen = curvist_screen_options_default();
  screen.RESOLUTION = 0;
  screen.XLABEL = "t (s)";
  screen.YLABEL = "amplitude";
  screen.TITLE = "Damped oscillation";
  screen.OWNWINDOW = 1;
  if (failed(curvist_plotdp(time, amplitude, points, curves, &screen))) return 1;

  /* The same curves, one after another in 32-bit arrays, into damped.png. */
  for (int i = 0; i < points * curves; ++i) {
    time32[i] = (float)time[i];
    amplitude32[i] = (float)amplitude[i];
  }
  curvist_picture_list_options picture = curvist_picture_list_options_default();
  picture.XLABEL = "t (s)";
  picture.YLABEL = "amplitude";
  picture.TITLE = "Damped oscillation";
  picture.FILENAME = "damped.ps";
  picture.NCURVES = curves;
  picture.DEVICE = "png";
  if (failed(curvist_pgplotlistsp(time32, amplitude32, points * curves, &picture))) return 1;

  return failed(curvist_keep_windows_until_closed());
}
