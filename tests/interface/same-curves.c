/* The curves of the languages' identity test (SameCurves.cmake), through the C interface. */
#include <stdio.h>
#include <stdlib.h>

#include <curvist/curvist.h>

enum { points = 50, curves = 2 };

static void check(curvist_status status) {
  if (status == CURVIST_OK) return;
  fprintf(stderr, "status %d: %s\n", (int)status, curvist_last_error());
  exit(1);
}

int main(void) {
  double x[points * curves], y[points * curves];
  float x32[points * curves], y32[points * curves];
  for (int i = 0; i < points; ++i) {
    x[i] = x[points + i] = i * 0.25;
    y[i] = (i * i * 7 % 23) * 0.5 - 3.0;
    y[points + i] = (i * 5 % 17) * 0.25;
  }
  for (int i = 0; i < points * curves; ++i) {
    x32[i] = (float)x[i];
    y32[i] = (float)y[i];
  }

  curvist_platform* offscreen = curvist_choose_platform(CURVIST_OFFSCREEN_WINDOWS, NULL);
  if (offscreen == NULL) check(CURVIST_FAILED);
  curvist_screen_options screen = curvist_screen_options_default();
  screen.RESOLUTION = 0;
  screen.XLABEL = "t (s)";
  screen.YLABEL = "amplitude (µV)";
  screen.TITLE = "Same curves";
  screen.OWNWINDOW = 1;
  check(curvist_plotdp(x, y, points, curves, &screen));
  screen.JOIN = 0;
  check(curvist_plotsp(x32, y32, points, curves, &screen));
  curvist_picture_options picture = curvist_picture_options_default();
  picture.XLABEL = "t (s)";
  picture.YLABEL = "amplitude (µV)";
  picture.TITLE = "Same curves";
  picture.FILENAME = "matrix-dp.ps";
  check(curvist_pgplotdp(x, y, points, curves, &picture));
  picture.JOIN = 0;
  picture.FILENAME = "matrix-sp.ps";
  check(curvist_pgplotsp(x32, y32, points, curves, &picture));

  check(curvist_pgplot_preparescreen(0, 12.25f, -1, 2, 1, 0, 1, "t (s)", "amplitude (µV)",
                                     "Same frame", "frame.ps", "ps"));
  check(curvist_pgplot_killscreen("frame.ps"));
  double xmin = -1, xmax = 1.1, ymin = -3, ymax = 8;
  char x_caption[CURVIST_SCREEN_CAPTION_SIZE] = "t \\u2\\d (s)";
  char y_caption[CURVIST_SCREEN_CAPTION_SIZE] = "amplitude (µV)";
  char title[CURVIST_SCREEN_CAPTION_SIZE] = "";
  check(curvist_plot_preparescreen(&xmin, &xmax, &ymin, &ymax, 1, 1, 0, 0, x_caption,
                                   sizeof x_caption, y_caption, sizeof y_caption, title,
                                   sizeof title, 1, 0));
  check(curvist_plot_killscreen(1));
  FILE* captions = fopen("captions.txt", "w");
  if (captions == NULL) check(CURVIST_FAILED);
  fprintf(captions, "%s\n%s\n%s\n", x_caption, y_caption, title);
  fclose(captions);

  check(curvist_write_window_png(101, "window-dp.png"));
  check(curvist_write_window_png(102, "window-sp.png"));
  check(curvist_write_window_png(103, "frame.png"));
  check(curvist_end_platform(offscreen));
  return 0;
}
