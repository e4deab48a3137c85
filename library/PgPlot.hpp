#pragma once
// Module PGPLOTPACK: curves drawn into a picture file through PGPLOT, with PGPLOT's
// standard frame, axes and captions.
//
// The picture's name (FILENAME) is used whole, however long. A picture replaces only an
// older picture under that name (PostScript, PDF, SVG, PNG or GIF, as its first bytes
// tell): any other file there is kept, and the picture is not written (one line on
// standard error says so).

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <curvist/Export.hpp>
#include "array/ColumnMajorView.hpp"
#include "text/TextField.hpp"

namespace curvist::PGPLOTPACK {

// Options of the curve-matrix operations; an absent one takes its default, a present
// one is used as passed, even when blank.
struct FilePlotOptions {
  std::optional<bool> JOIN = std::nullopt;                  // true: points joined; false: marked
  std::optional<bool> LOGX = std::nullopt;                  // false
  std::optional<bool> LOGY = std::nullopt;                  // false
  std::optional<std::string_view> XLABEL = std::nullopt;    // "x"
  std::optional<std::string_view> YLABEL = std::nullopt;    // "y"
  std::optional<std::string_view> TITLE = std::nullopt;     // "Representation of y=y(x)"
  std::optional<std::string_view> FILENAME = std::nullopt;  // "Plot.ps"
  std::optional<std::string_view> DEVICE = std::nullopt;    // "ps"
};

// Options of the curve-list operations: NCURVES stands between FILENAME and DEVICE.
struct FileListPlotOptions {
  std::optional<bool> JOIN = std::nullopt;
  std::optional<bool> LOGX = std::nullopt;
  std::optional<bool> LOGY = std::nullopt;
  std::optional<std::string_view> XLABEL = std::nullopt;
  std::optional<std::string_view> YLABEL = std::nullopt;
  std::optional<std::string_view> TITLE = std::nullopt;
  std::optional<std::string_view> FILENAME = std::nullopt;
  std::optional<int> NCURVES = std::nullopt;  // 1
  std::optional<std::string_view> DEVICE = std::nullopt;
};

using TextField80 = TextField<80>;

// Opens PGPLOT on "FILE/TYPE", sets pen and text size, starts the page, sets the world
// window to exactly the limits, draws frame and axes and writes the captions.
CURVIST_EXPORT void PREPARESCREEN(float xmin, float xmax, float ymin, float ymax, bool JOIN,
                                  bool LOGX, bool LOGY, const TextField80& x_caption,
                                  const TextField80& y_caption, const TextField80& title,
                                  const TextField80& file_name, const TextField80& device_type);

// Ends PGPLOT output and names the finished picture on the console.
CURVIST_EXPORT void KILLSCREEN(std::string_view file_name);

// How many pictures KILLSCREEN found not written since the program began (each was
// explained on standard error instead of announced).
CURVIST_EXPORT int unwritten_pictures();
// Why the last of them was not written, as standard error was told ("cannot write the
// picture plots/a.ps: No such file or directory"); empty before the first.
CURVIST_EXPORT std::string why_last_picture_not_written();

// Why the file-plot operations write no picture for these values, in words; empty when
// they give one. X and Y are the whole arrays an operation takes its limits from (a
// matrix's elements, or the lists); the limits are 32-bit, as PGPLOT takes them.
CURVIST_EXPORT std::string why_no_picture(std::span<const double> X, std::span<const double> Y,
                                          bool LOGX = false, bool LOGY = false);
CURVIST_EXPORT std::string why_no_picture(std::span<const float> X, std::span<const float> Y,
                                          bool LOGX = false, bool LOGY = false);

CURVIST_EXPORT void PGPLOTDP(ColumnMajorView<const double> X, ColumnMajorView<const double> Y,
                             const FilePlotOptions& options = {});
CURVIST_EXPORT void PGPLOTSP(ColumnMajorView<const float> X, ColumnMajorView<const float> Y,
                             const FilePlotOptions& options = {});
CURVIST_EXPORT void PGPLOTLISTDP(std::span<const double> X, std::span<const double> Y,
                                 const FileListPlotOptions& options = {});
CURVIST_EXPORT void PGPLOTLISTSP(std::span<const float> X, std::span<const float> Y,
                                 const FileListPlotOptions& options = {});

}  // namespace curvist::PGPLOTPACK
