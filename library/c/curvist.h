/* Curvist for C programs (C11, and C++): the operations of the three plotting modules
   LOADPLOTPACK, PLOTPACK and PGPLOTPACK, the choice of platform, and the removal of
   unfinished pictures, over plain pointers and counts.

   Every operation returns a status and never lets an error of the library's escape in
   any other way; curvist_last_error() says why a call failed. The operations of one
   process run one at a time: calls from several threads wait for each other.

   Curves come as two arrays x and y of the same layout: a curve matrix holds `points`
   points of each of `curves` curves, column after column (curve 1's points, then curve
   2's, ...); a curve list holds `count` values, NCURVES curves of count / NCURVES points
   one after another. Texts are NUL-terminated, UTF-8 or Latin-1. */
#ifndef CURVIST_CURVIST_H
#define CURVIST_CURVIST_H

#include <limits.h>
#include <stdbool.h>
#include <stddef.h>

#include <curvist/Export.hpp>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum curvist_status {
  CURVIST_OK = 0,
  /* The call's arguments cannot be plotted: a null pointer, no points or no curves, an
     NCURVES below 1, an options structure of a size this library does not know, no
     platform to end. Nothing was drawn. */
  CURVIST_BAD_ARGUMENTS = 1,
  /* The values give an axis no range to plot over (every value the same, or none
     finite), or the data file could not be read: nothing was drawn. */
  CURVIST_NOT_PLOTTED = 2,
  /* The picture could not be written (a folder that is not there or not writable, a full
     disk, an unknown device type): a picture of that name from before is kept. Standard
     error has been told too, as for every program that uses the library. */
  CURVIST_PICTURE_NOT_WRITTEN = 3,
  /* Anything else the library met, memory running out for instance. */
  CURVIST_FAILED = 4
} curvist_status;

/* Why the calling thread's last call did not return CURVIST_OK, in words; empty after
   one that did. Valid until the thread's next call. */
CURVIST_EXPORT const char* curvist_last_error(void);

/* An option set to CURVIST_DEFAULT, or a text left NULL, takes its default; one given is
   used as given, even a blank text. Logical options: 0 false, any other value true. */
#define CURVIST_DEFAULT INT_MIN

/* Each options structure begins with its size: the library reads the fields that size
   holds, so that structures can grow in later releases without breaking programs built
   before. Start from the defaults its curvist_..._options_default() gives. */

/* PLOTDP and PLOTSP: curves drawn in a window. */
typedef struct curvist_screen_options {
  size_t size;
  int JOIN;           /* true: points joined by lines; false: each point marked */
  int LOGX;           /* false: decimal-logarithmic x axis */
  int LOGY;           /* false */
  int RESOLUTION;     /* 1: 3, 2 and 1 fixed sizes; 0 or less: laid out to the window */
  const char* XLABEL; /* "x" */
  const char* YLABEL; /* "y" */
  const char* TITLE;  /* "Representation of y=y(x)", also the window's title */
  int OWNWINDOW;      /* false: drawn in the active window, then waits for Enter */
  int REUSEWINDOW;    /* false: with OWNWINDOW, into the window opened last */
} curvist_screen_options;

/* PLOTLISTDP and PLOTLISTSP. */
typedef struct curvist_screen_list_options {
  size_t size;
  int JOIN;
  int LOGX;
  int LOGY;
  int RESOLUTION;
  const char* XLABEL;
  const char* YLABEL;
  const char* TITLE;
  int OWNWINDOW;
  int REUSEWINDOW;
  int NCURVES; /* 1 */
} curvist_screen_list_options;

/* PGPLOTDP and PGPLOTSP: curves drawn into a picture file. */
typedef struct curvist_picture_options {
  size_t size;
  int JOIN;
  int LOGX;
  int LOGY;
  const char* XLABEL;
  const char* YLABEL;
  const char* TITLE;
  const char* FILENAME; /* "Plot.ps"; a device type other than "ps" replaces a closing "ps" */
  const char* DEVICE;   /* "ps"; also "vps", "png", "pdf", "svg", "gif" */
} curvist_picture_options;

/* PGPLOTLISTDP and PGPLOTLISTSP. */
typedef struct curvist_picture_list_options {
  size_t size;
  int JOIN;
  int LOGX;
  int LOGY;
  const char* XLABEL;
  const char* YLABEL;
  const char* TITLE;
  const char* FILENAME;
  int NCURVES; /* 1 */
  const char* DEVICE;
} curvist_picture_list_options;

/* LOADPLOT. */
typedef struct curvist_load_options {
  size_t size;
  const char* DEVICE; /* "ps": the device type of the picture */
} curvist_load_options;

/* clang-format off */
static inline curvist_screen_options curvist_screen_options_default(void) {
  curvist_screen_options options = {sizeof(curvist_screen_options),
      CURVIST_DEFAULT, CURVIST_DEFAULT, CURVIST_DEFAULT, CURVIST_DEFAULT, NULL, NULL, NULL,
      CURVIST_DEFAULT, CURVIST_DEFAULT};
  return options;
}

static inline curvist_screen_list_options curvist_screen_list_options_default(void) {
  curvist_screen_list_options options = {sizeof(curvist_screen_list_options),
      CURVIST_DEFAULT, CURVIST_DEFAULT, CURVIST_DEFAULT, CURVIST_DEFAULT, NULL, NULL, NULL,
      CURVIST_DEFAULT, CURVIST_DEFAULT, CURVIST_DEFAULT};
  return options;
}

static inline curvist_picture_options curvist_picture_options_default(void) {
  curvist_picture_options options = {sizeof(curvist_picture_options),
      CURVIST_DEFAULT, CURVIST_DEFAULT, CURVIST_DEFAULT, NULL, NULL, NULL, NULL, NULL};
  return options;
}

static inline curvist_picture_list_options curvist_picture_list_options_default(void) {
  curvist_picture_list_options options = {sizeof(curvist_picture_list_options),
      CURVIST_DEFAULT, CURVIST_DEFAULT, CURVIST_DEFAULT, NULL, NULL, NULL, NULL,
      CURVIST_DEFAULT, NULL};
  return options;
}

static inline curvist_load_options curvist_load_options_default(void) {
  curvist_load_options options = {sizeof(curvist_load_options), NULL};
  return options;
}
/* clang-format on */

/* Module PLOTPACK: curves drawn in a graphics window, with a frame, axes, ticks and
   captions of its own fitted to the window's pixel size. A null options pointer takes
   every default. */
CURVIST_EXPORT curvist_status curvist_plotdp(const double* x, const double* y, size_t points,
                                             size_t curves, const curvist_screen_options* options);
CURVIST_EXPORT curvist_status curvist_plotsp(const float* x, const float* y, size_t points,
                                             size_t curves, const curvist_screen_options* options);
CURVIST_EXPORT curvist_status curvist_plotlistdp(const double* x, const double* y, size_t count,
                                                 const curvist_screen_list_options* options);
CURVIST_EXPORT curvist_status curvist_plotlistsp(const float* x, const float* y, size_t count,
                                                 const curvist_screen_list_options* options);
/* The unit of the last window a screen plot opened on the current platform; 100 before
   the first. */
CURVIST_EXPORT int curvist_window_counter(void);

/* The steps every screen plot runs around its drawing, as the module offers them.
   curvist_plot_preparescreen gets the window (with OWNWINDOW a new one, or with
   REUSEWINDOW the one opened last; otherwise the active one), lays the plot out over the
   limits and draws frame, axes, ticks, tick labels and captions; curvist_plot_killscreen
   then leaves a window of its own open, or without one waits for Enter on the console and
   returns the window to text mode. Every parameter is required (CURVIST_DEFAULT has no
   meaning here); logicals are 0 false, any other value true; JOIN is taken and not used.

   The limits are data limits (their decimal logarithms on a logarithmic axis), finite,
   the smaller first; the operation may change them. Each caption is a NUL-terminated
   text in a buffer of `..._size` bytes, taken as a 120-character field and changed in
   place: escape pairs removed (curvist_purge), "log(...)" around the caption of a
   logarithmic axis, a blank title of a new window made "Representation of the data".
   What comes back is cut to the buffer between characters; a buffer of
   CURVIST_SCREEN_CAPTION_SIZE bytes holds any caption whole. */
#define CURVIST_SCREEN_CAPTION_SIZE (120 * 4 + 1)
CURVIST_EXPORT curvist_status curvist_plot_preparescreen(
    double* xmin, double* xmax, double* ymin, double* ymax, int JOIN, int LOGX, int LOGY,
    int RESOLUTION, char* x_caption, size_t x_caption_size, char* y_caption, size_t y_caption_size,
    char* title, size_t title_size, int OWNWINDOW, int REUSEWINDOW);
CURVIST_EXPORT curvist_status curvist_plot_killscreen(int OWNWINDOW);
/* Removes the escape pairs \u, \d and \g that pictures interpret from `text`, in place:
   the text is a field of its own length, blank-padded to that length again. */
CURVIST_EXPORT curvist_status curvist_purge(char* text);

/* Module PGPLOTPACK: curves drawn into a picture file through PGPLOT. The picture is
   complete on disk under its name when the call returns CURVIST_OK, and the console has
   its line " Output in NAME". */
CURVIST_EXPORT curvist_status curvist_pgplotdp(const double* x, const double* y, size_t points,
                                               size_t curves,
                                               const curvist_picture_options* options);
CURVIST_EXPORT curvist_status curvist_pgplotsp(const float* x, const float* y, size_t points,
                                               size_t curves,
                                               const curvist_picture_options* options);
CURVIST_EXPORT curvist_status curvist_pgplotlistdp(const double* x, const double* y, size_t count,
                                                   const curvist_picture_list_options* options);
CURVIST_EXPORT curvist_status curvist_pgplotlistsp(const float* x, const float* y, size_t count,
                                                   const curvist_picture_list_options* options);
/* How many pictures could not be written since the program began. */
CURVIST_EXPORT int curvist_unwritten_pictures(void);

/* The steps every picture runs around its drawing. curvist_pgplot_preparescreen opens
   the picture `file_name` of PGPLOT's `device_type` ("ps", "png", ...), sets the world
   window to exactly the limits (32-bit, finite, not equal; a larger first reverses the
   axis), draws frame and axes and writes the captions; curvist_pgplot_killscreen ends it
   and says whether it was written. Logicals as for the screen's. Texts are taken as
   80-character fields: a longer caption is cut, a longer file name refused (cut, it
   would name another file). */
CURVIST_EXPORT curvist_status curvist_pgplot_preparescreen(float xmin, float xmax, float ymin,
                                                           float ymax, int JOIN, int LOGX, int LOGY,
                                                           const char* x_caption,
                                                           const char* y_caption, const char* title,
                                                           const char* file_name,
                                                           const char* device_type);
/* CURVIST_PICTURE_NOT_WRITTEN when the picture could not be written, or none was open;
   otherwise the console has its line " Output in FILE_NAME". */
CURVIST_EXPORT curvist_status curvist_pgplot_killscreen(const char* file_name);

/* Module LOADPLOTPACK: reads the data file `name` and draws its curves in a window of
   their own, then into a picture named after it (sample.dat gives sample.ps).
   CURVIST_NOT_PLOTTED says why a file was not read or not plotted. */
CURVIST_EXPORT curvist_status curvist_loadplot(const char* name,
                                               const curvist_load_options* options);

/* The platform: where screen plots go, and which console gets the modules' lines (and
   gives the Enter a plot without a window of its own waits for). Without a choice,
   windows on the display, standard output and standard input. */
typedef enum curvist_plot_windows {
  /* Windows on the display when one can be reached; otherwise drawn offscreen and not
     shown, and one line on standard error says so. */
  CURVIST_SCREEN_WINDOWS = 0,
  /* Drawn offscreen and never shown; no display is contacted. */
  CURVIST_OFFSCREEN_WINDOWS = 1
} curvist_plot_windows;

/* A console of the program's own. A function left NULL does nothing. The library
   copies the structure; `context` is handed to each function and must outlive the
   platform. */
typedef struct curvist_console {
  size_t size; /* sizeof(curvist_console) */
  void* context;
  /* One whole line, without its line end; a list-directed line begins with a blank. */
  void (*write_line)(void* context, const char* line, size_t length);
  /* Waits for one line of input and discards it. */
  void (*read_line)(void* context);
  /* The wait between tries to open a window. */
  void (*sleep_seconds)(void* context, int seconds);
} curvist_console;

typedef struct curvist_platform curvist_platform;

/* Installs a platform of the program's choice until curvist_end_platform: a run of its
   own, whose windows are numbered from 101 again. console NULL: standard output and
   input. NULL, with the reason in curvist_last_error(), when it cannot be installed. */
CURVIST_EXPORT curvist_platform* curvist_choose_platform(curvist_plot_windows windows,
                                                         const curvist_console* console);
/* Ends the platform chosen last, and closes its windows (curvist_keep_windows_until_closed
   first leaves them to the user); the one before is in force again. Platforms end in the
   reverse order of their choice: any other is refused with CURVIST_BAD_ARGUMENTS. */
CURVIST_EXPORT curvist_status curvist_end_platform(curvist_platform* platform);
/* Keeps the current platform's plot windows shown until the user has closed them;
   returns at once where nothing is shown. */
CURVIST_EXPORT curvist_status curvist_keep_windows_until_closed(void);
/* Writes what the window of `unit` shows into a PNG file, offscreen windows too. */
CURVIST_EXPORT curvist_status curvist_write_window_png(int unit, const char* file_name);

/* A picture is drawn into a hidden temporary file beside its name and renamed into
   place once complete. This has SIGINT, SIGTERM and SIGHUP remove such files, then end
   the process as they would have; only signals still at their default action are taken.
   True when all three are. */
CURVIST_EXPORT bool curvist_remove_temporary_files_on_interrupt(void);
/* Removes them, for a program's own signal handler; safe to call from one. */
CURVIST_EXPORT void curvist_remove_temporary_files(void);

#ifdef __cplusplus
}
#endif

#endif
