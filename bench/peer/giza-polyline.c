/* The bare giza peer of the comparison: reads a two-column text file (x y per line, a
   blank line between curves) and draws its curves with giza's PGPLOT interface into
   PostScript, with the same page, frame and captions a file plot has. Given several
   files, it draws their pictures one after another in one process.
   Usage: giza-polyline DATA PICTURE.ps [DATA PICTURE.ps ...] */
#include <cpgplot.h>
#include <float.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct curve {
  float* x;
  float* y;
  int count;
};

static int draw_file(const char* data, const char* picture) {
  FILE* input = fopen(data, "r");
  if (input == NULL) {
    perror(data);
    return 1;
  }
  size_t capacity = 1 << 16, total = 0;
  float* x = malloc(capacity * sizeof *x);
  float* y = malloc(capacity * sizeof *y);
  int starts[1024];
  int curve_count = 0;
  starts[0] = 0;
  int in_curve = 0;
  char line[256];
  while (fgets(line, sizeof line, input) != NULL) {
    char* end = NULL;
    const double x_value = strtod(line, &end);
    if (end == line) {
      if (in_curve && curve_count < 1023) starts[++curve_count] = (int)total, in_curve = 0;
      continue;
    }
    const double y_value = strtod(end, NULL);
    if (total == capacity) {
      capacity *= 2;
      x = realloc(x, capacity * sizeof *x);
      y = realloc(y, capacity * sizeof *y);
    }
    x[total] = (float)x_value;
    y[total] = (float)y_value;
    ++total;
    in_curve = 1;
  }
  fclose(input);
  if (in_curve) starts[++curve_count] = (int)total;

  float xmin = FLT_MAX, xmax = -FLT_MAX, ymin = FLT_MAX, ymax = -FLT_MAX;
  for (size_t i = 0; i < total; ++i) {
    if (x[i] < xmin) xmin = x[i];
    if (x[i] > xmax) xmax = x[i];
    if (y[i] < ymin) ymin = y[i];
    if (y[i] > ymax) ymax = y[i];
  }
  char device[1024];
  snprintf(device, sizeof device, "%s/ps", picture);
  if (cpgbeg(0, device, 1, 1) != 1) {
    free(x);
    free(y);
    return 1;
  }
  cpgslw(3);
  cpgsch(1.5f);
  cpgpage();
  cpgvstd();
  cpgswin(xmin, xmax, ymin, ymax);
  cpgbox("BCNST", 0.0f, 0, "BCNST", 0.0f, 0);
  cpglab("x", "y", "Benchmark");
  for (int curve = 0; curve < curve_count; ++curve) {
    cpgsls(curve % 4 + 1);
    cpgline(starts[curve + 1] - starts[curve], x + starts[curve], y + starts[curve]);
  }
  cpgend();
  free(x);
  free(y);
  return 0;
}

int main(int argument_count, char** arguments) {
  if (argument_count < 3 || argument_count % 2 != 1) {
    fprintf(stderr, "usage: giza-polyline DATA PICTURE.ps [DATA PICTURE.ps ...]\n");
    return 2;
  }
  for (int pair = 1; pair < argument_count; pair += 2) {
    const int status = draw_file(arguments[pair], arguments[pair + 1]);
    if (status != 0) return status;
  }
  return 0;
}
