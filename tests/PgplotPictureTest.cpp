// Real pictures through the PGPLOT layer over giza: PostScript rendered with
// Ghostscript, GIF decoded with giflib, failures seen as the user sees them.

#include <gif_lib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>
#include <vector>

#include "ChildProgram.hpp"
#include "PgPlot.hpp"
#include "PictureFolder.hpp"
#include "RealPictures.hpp"
#include "console/RecordingConsole.hpp"
#include "console/RecordingErrorStream.hpp"
#include "devices/GifWriter.hpp"
#include "files/TemporaryFileRemoval.hpp"
#include "pgplot/DeviceSpecification.hpp"
#include "pgplot/PgplotLibrary.hpp"
#include "platform/Platform.hpp"
#include "window/RecordingWindows.hpp"

namespace curvist {
namespace {

using testing::contents_of;
using testing::count_pixels;
using ::testing::ElementsAre;
using testing::frame_columns;
using ::testing::HasSubstr;
using testing::is_dark;
using testing::is_light;
using ::testing::IsEmpty;
using testing::PictureFolder;
using testing::plot_for_real;
using testing::postscript_body;
using testing::RealRun;
using testing::render_postscript;
using testing::TwoCurves;
namespace P = PGPLOTPACK;

// The mean column of the ink in a band of rows (fractions of the height).
double ink_centre(const RgbImage& image, double top, double bottom) {
  double sum = 0;
  int count = 0;
  for (int row = static_cast<int>(top * image.height); row < bottom * image.height; ++row)
    for (int column = 0; column < image.width; ++column)
      if (is_dark(image.pixels[static_cast<std::size_t>(row) * image.width + column])) {
        sum += column;
        ++count;
      }
  return count > 0 ? sum / count : -1;
}

struct GifPicture {
  RgbImage image;
  int colour_count = 0;
};

GifPicture decode_gif(const std::string& name) {
  GifPicture picture;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(name.c_str(), &error);
  if (gif == nullptr) {
    ADD_FAILURE() << "cannot open " << name;
    return picture;
  }
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1) {
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap != nullptr ? frame.ImageDesc.ColorMap : gif->SColorMap;
    picture.colour_count = map->ColorCount;
    picture.image.width = frame.ImageDesc.Width;
    picture.image.height = frame.ImageDesc.Height;
    for (int i = 0; i < picture.image.width * picture.image.height; ++i) {
      const GifColorType colour = map->Colors[frame.RasterBits[i]];
      picture.image.pixels.push_back(static_cast<std::uint32_t>(colour.Red) << 16 |
                                     static_cast<std::uint32_t>(colour.Green) << 8 | colour.Blue);
    }
  } else {
    ADD_FAILURE() << "cannot decode " << name;
  }
  DGifCloseFile(gif, &error);
  return picture;
}

TEST(PgplotPicture, PostScriptIsALandscapePageWithFrameCurvesAndCentredCaptions) {
  PictureFolder folder;
  const TwoCurves curves;
  const auto run = plot_for_real([&] {
    curves.plot({.XLABEL = "Time (s)",
                 .YLABEL = "Amplitude",
                 .TITLE = "Centred title",
                 .FILENAME = "sample.ps",
                 .DEVICE = "ps"});
  });
  EXPECT_EQ(run.console, "console \" Output in sample.ps\"\n");
  EXPECT_EQ(run.errors, "");
  // Only the picture: no temporary file is left behind.
  EXPECT_THAT(folder.entries(), ElementsAre("sample.ps"));
  EXPECT_THAT(contents_of("sample.ps"), ::testing::StartsWith("%!PS"));

  const RgbImage page = render_postscript("sample.ps");
  ASSERT_GT(page.width, page.height);
  EXPECT_TRUE(is_light(page.pixels[0]));  // paper, not a painted background

  const auto [left, right] = frame_columns(page, is_dark);
  ASSERT_GT(left, 0);
  ASSERT_GT(right - left, page.width / 2);
  // The curves inside the frame, the title above it, the x caption and numbers below.
  EXPECT_GT(count_pixels(page, 0.3, 0.3, 0.7, 0.7, is_dark), 100);
  EXPECT_GT(count_pixels(page, 0.2, 0.0, 0.8, 0.1, is_dark), 50);
  EXPECT_GT(count_pixels(page, 0.2, 0.9, 0.8, 1.0, is_dark), 50);
  // Captions are centred on the frame: the blanks that fill their fields are not drawn.
  const double frame_centre = (left + right) / 2.0;
  EXPECT_NEAR(ink_centre(page, 0.0, 0.1), frame_centre, page.width * 0.03);
  EXPECT_NEAR(ink_centre(page, 0.93, 1.0), frame_centre, page.width * 0.03);
}

TEST(PgplotPicture, PortraitPostScriptAndLogarithmicAxes) {
  PictureFolder folder;
  const std::vector<double> x{1, 10, 100, 1000};
  const std::vector<double> y{1, 0, 10, 100};
  const auto run = plot_for_real([&] {
    P::PGPLOTDP({x.data(), 4, 1}, {y.data(), 4, 1},
                {.LOGX = true, .LOGY = true, .FILENAME = "run.ps", .DEVICE = "vps"});
  });
  EXPECT_EQ(run.console, "console \" Output in run.vps\"\n");
  EXPECT_EQ(run.errors, "");
  const RgbImage page = render_postscript("run.vps");
  EXPECT_GT(page.height, page.width);
  EXPECT_GT(count_pixels(page, 0.3, 0.3, 0.7, 0.7, is_dark), 20);
}

// A portrait page shows all of itself: nothing touches its edges, and left of the frame
// stand the numbers and the y caption, two bands of ink apart.
TEST(PgplotPicture, PortraitPagesKeepTheYCaptionAndNumbersOnThePage) {
  PictureFolder folder;
  const TwoCurves curves;
  for (const std::string device : {"vps", "vcps", "vpdf", "vgif"}) {
    plot_for_real(
        [&] { curves.plot({.YLABEL = "Distance (m)", .FILENAME = "page.ps", .DEVICE = device}); });
    const bool gif = device == "vgif";  // PGPLOT's colours: white on black
    const RgbImage page = gif ? decode_gif("page.vgif").image : render_postscript("page." + device);
    const auto ink = gif ? is_light : is_dark;
    ASSERT_GT(page.height, page.width) << device;
    EXPECT_EQ(count_pixels(page, 0, 0, 1, 1, ink), count_pixels(page, .01, .01, .99, .99, ink))
        << device;
    int bands = 0;
    for (int column = 0, inked_before = 0; column < frame_columns(page, ink).first; ++column) {
      int inked = 0;
      for (int row = page.height / 10; row < page.height * 9 / 10; ++row)  // beside the frame
        inked |= ink(page.pixels[static_cast<std::size_t>(row) * page.width + column]);
      bands += inked && !inked_before;
      inked_before = inked;
    }
    EXPECT_EQ(bands, 2) << device;
  }
}

TEST(PgplotPicture, GifIsBlackOnWhiteAndUpperCaseGifKeepsPgplotColours) {
  PictureFolder folder;
  const TwoCurves curves;
  const auto run = plot_for_real([&] { curves.plot({.DEVICE = "gif"}); });
  EXPECT_EQ(run.console, "console \" Output in Plot.gif\"\n");
  EXPECT_EQ(run.errors, "");
  EXPECT_THAT(folder.entries(), ElementsAre("Plot.gif"));
  const GifPicture white = decode_gif("Plot.gif");
  EXPECT_EQ(white.image.width, 850);
  EXPECT_EQ(white.image.height, 680);
  EXPECT_EQ(white.image.pixels[0], 0xffffffu);
  EXPECT_GT(frame_columns(white.image, is_dark).first, 0);
  EXPECT_GT(count_pixels(white.image, 0.3, 0.3, 0.7, 0.7, is_dark), 100);

  const auto upper = plot_for_real([&] { curves.plot({.FILENAME = "dark.gif", .DEVICE = "GIF"}); });
  EXPECT_EQ(upper.console, "console \" Output in dark.gif\"\n");
  const GifPicture black = decode_gif("dark.gif");
  EXPECT_EQ(black.image.pixels[0], 0x000000u);
  EXPECT_GT(frame_columns(black.image, is_light).first, 0);
  EXPECT_GT(count_pixels(black.image, 0.3, 0.3, 0.7, 0.7, is_light), 100);
}

TEST(PgplotPicture, UnknownDeviceTypeSaysSoAndWritesNothing) {
  PictureFolder folder;
  const TwoCurves curves;
  const auto run = plot_for_real([&] { curves.plot({.FILENAME = "a.ps", .DEVICE = "tek"}); });
  EXPECT_EQ(run.console, "");
  EXPECT_THAT(folder.entries(), IsEmpty());
  EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
  EXPECT_THAT(run.errors, HasSubstr("unknown PGPLOT device type \"tek\""));
  EXPECT_THAT(run.errors, HasSubstr("a.tek"));
}

TEST(PgplotPicture, MissingFolderNamesTheFileAndTheReason) {
  PictureFolder folder;
  const TwoCurves curves;
  const auto run = plot_for_real([&] { curves.plot({.FILENAME = "no/such/dir/a.ps"}); });
  EXPECT_EQ(run.console, "");
  EXPECT_EQ(run.errors,
            "curvist: cannot write the picture no/such/dir/a.ps: No such file or directory\n");
}

TEST(PgplotPicture, DrawingThatCairoGaveUpIsReportedAndNeverPutInPlace) {
  PictureFolder folder;
  { std::ofstream("sample.ps") << "older picture\n"; }
  std::ostringstream errors;
  RecordingErrorStream error_stream(errors);
  auto pgplot = make_pgplot_library(error_stream);
  const std::array<float, 2> x{0, 1};
  ASSERT_EQ(pgplot->PGBEG(0, "sample.ps/ps", 1, 1), 1);
  pgplot->PGSLW(3);
  // A character height cairo cannot scale its font to: its drawing stops there for good.
  pgplot->PGSCH(std::nanf(""));
  pgplot->PGPAGE();
  pgplot->PGVSTD();
  pgplot->PGSWIN(0, 1, 0, 1);
  pgplot->PGBOX("BCNST", 0, 0, "BCNST", 0, 0);
  pgplot->PGLAB("x", "y", "title");
  pgplot->PGLINE(x, x);
  EXPECT_FALSE(pgplot->PGEND());
  EXPECT_EQ(errors.str(),
            "curvist: cannot write the picture sample.ps: giza could not draw it completely "
            "(cairo gave up drawing)\n");
  EXPECT_EQ(contents_of("sample.ps"), "older picture\n");
  EXPECT_THAT(folder.entries(), ElementsAre("sample.ps"));
}

TEST(PgplotPicture, WindowNarrowerThanFloatsDrawApartIsAFailureNotAWrongPicture) {
  PictureFolder folder;
  { std::ofstream("cross-section.ps") << "older picture\n"; }
  const std::vector<double> x{0, 1, 2};
  const std::vector<double> y{1e-39, 3e-39, 2e-39};
  const int unwritten = P::unwritten_pictures();
  const auto run = plot_for_real([&] {
    P::PGPLOTDP({x.data(), 3, 1}, {y.data(), 3, 1}, {.FILENAME = "cross-section.ps"});
  });
  EXPECT_EQ(run.console, "");
  EXPECT_EQ(run.errors,
            "curvist: cannot write the picture cross-section.ps: its y range, 1e-39 to 3e-39, "
            "is narrower than giza can draw (1e-31)\n");
  EXPECT_EQ(contents_of("cross-section.ps"), "older picture\n");
  EXPECT_THAT(folder.entries(), ElementsAre("cross-section.ps"));
  EXPECT_EQ(P::unwritten_pictures(), unwritten + 1);
}

TEST(PgplotPicture, NarrowWindowsAreNumberedWithTheirTrueValues) {
  // Cross-sections in square metres or centimetres, a mass in kilograms with a spread of a
  // few steps of a float: giza alone drew a lone 0, or refused the window.
  const struct {
    std::vector<double> y;
    std::vector<std::string_view> numbers;
  } cases[] = {
      {{0, 6e-31, 3e-31}, {"2\u00d710", "4\u00d710", "6\u00d710", "-31"}},
      {{0, 4e-31, 1e-31}, {"1\u00d710", "2\u00d710", "4\u00d710", "-31"}},
      {{1e-33, 3e-33, 2e-33}, {"1.5\u00d710", "2.5\u00d710", "-33"}},
      {{9.1e-31, 9.1000005e-31, 9.100001e-31}, {"9.1\u00d710", "9.1000004\u00d710", "-31"}},
  };
  for (const auto& [y, numbers] : cases) {
    PictureFolder folder;
    const std::vector<double> x{0, 1, 2};
    const auto run = plot_for_real([&] {
      P::PGPLOTDP({x.data(), 3, 1}, {y.data(), 3, 1}, {.FILENAME = "cross-section.ps"});
    });
    EXPECT_EQ(run.console, "console \" Output in cross-section.ps\"\n");
    EXPECT_EQ(run.errors, "");
    const std::string text = testing::postscript_text("cross-section.ps");
    for (const std::string_view number : numbers) EXPECT_THAT(text, HasSubstr(number)) << text;
  }
}

// Runs `operation` where the folder cannot be written: as an unprivileged user when the
// tests run as root (who may write anywhere), else directly. Returns the console trace
// and standard error.
RealRun plot_where_not_writable(const std::filesystem::path& folder,
                                const std::function<void()>& operation) {
  std::filesystem::permissions(
      folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                  std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                  std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  if (geteuid() != 0) return plot_for_real(operation);

  int console_pipe[2], error_pipe[2];
  if (pipe(console_pipe) != 0 || pipe(error_pipe) != 0) return {"", "no pipe"};
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(testing::nobody) != 0 || setuid(testing::nobody) != 0) _exit(2);
    std::ostringstream trace;
    RecordingConsole console(trace);
    RecordingWindows windows(trace);
    auto pgplot = make_pgplot_library();
    dup2(error_pipe[1], STDERR_FILENO);
    {
      ScopedPlatform platform({console, *pgplot, windows});
      operation();
    }
    const std::string text = trace.str();
    const bool written =
        write(console_pipe[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    _exit(written ? 0 : 3);
  }
  close(console_pipe[1]);
  close(error_pipe[1]);
  const auto drain = [](int descriptor) {
    std::string text;
    char buffer[4096];
    for (ssize_t count; (count = read(descriptor, buffer, sizeof buffer)) > 0;)
      text.append(buffer, static_cast<std::size_t>(count));
    close(descriptor);
    return text;
  };
  RealRun run{drain(console_pipe[0]), drain(error_pipe[0])};
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  return run;
}

TEST(PgplotPicture, ReadOnlyFolderKeepsTheOlderPicture) {
  PictureFolder folder;
  { std::ofstream("sample.ps") << "older picture\n"; }
  const TwoCurves curves;
  const auto run =
      plot_where_not_writable(folder.path(), [&] { curves.plot({.FILENAME = "sample.ps"}); });
  EXPECT_EQ(run.console, "");
  EXPECT_EQ(run.errors, "curvist: cannot write the picture sample.ps: Permission denied\n");
  EXPECT_EQ(contents_of("sample.ps"), "older picture\n");
  EXPECT_THAT(folder.entries(), ElementsAre("sample.ps"));
}

TEST(PgplotPicture, NewPictureReplacesAnOlderPictureWholeButNoOtherFile) {
  PictureFolder folder;
  const TwoCurves curves;
  // What stands under the picture's name, and whether the picture takes its place.
  const std::vector<std::pair<std::string, bool>> standing = {
      {"%!PS-Adobe-3.0\nolder picture\n", true},
      {std::string("\x89PNG\r\n\x1a\nolder picture", 21), true},
      {"<?xml version=\"1.0\"?>\n<svg>older picture</svg>\n", true},
      {"-1\n2\n0 0\n1 1\nx\ny\nA data file\n", false},
      {"", false}};
  for (const auto& [content, replaced] : standing) {
    { std::ofstream("sample.ps") << content; }
    const auto run = plot_for_real([&] { curves.plot({.FILENAME = "sample.ps"}); });
    EXPECT_EQ(run.console, replaced ? "console \" Output in sample.ps\"\n" : "") << content;
    EXPECT_EQ(run.errors, replaced ? ""
                                   : "curvist: cannot write the picture sample.ps: a file of "
                                     "that name is there that is not a picture; it is left "
                                     "as it is\n");
    EXPECT_EQ(contents_of("sample.ps").starts_with("%!PS-Adobe-3.0\n%%Creator"), replaced);
    EXPECT_EQ(contents_of("sample.ps") == content, !replaced) << "kept as it was";
    EXPECT_THAT(folder.entries(), ElementsAre("sample.ps"));
  }
}

TEST(PgplotPicture, InterruptedPlotLeavesTheOlderPictureAndNoTemporaryFile) {
  PictureFolder folder;
  { std::ofstream("sample.ps") << "older picture\n"; }
  const auto end = testing::end_of_forked([] {
    // Asked for, as curvist does: the library takes no signal of its own accord.
    remove_temporary_files_on_interrupt();
    auto pgplot = make_pgplot_library();
    if (pgplot->PGBEG(0, "sample.ps/ps", 1, 1) != 1) return 2;
    pgplot->PGPAGE();
    pgplot->PGSWIN(0, 1, 0, 1);
    pgplot->PGBOX("BC", 0, 0, "BC", 0, 0);
    raise(SIGTERM);
    return 3;
  });
  ASSERT_TRUE(end.signal_number) << testing::described(end);
  EXPECT_EQ(end.signal_number, SIGTERM);
  EXPECT_EQ(contents_of("sample.ps"), "older picture\n");
  EXPECT_THAT(folder.entries(), ElementsAre("sample.ps"));
}

TEST(PgplotDeviceSpecification, SplitsAtTheLastSlashAndTrimsBlanks) {
  const auto parsed = parse_device_specification("  out/run 1.ps   / GiF ");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->file_name, "out/run 1.ps");
  EXPECT_EQ(parsed->device_type, "gif");
  EXPECT_FALSE(parse_device_specification("sample.ps"));
  const auto unnamed = parse_device_specification("/PS");
  ASSERT_TRUE(unnamed);
  EXPECT_EQ(unnamed->file_name, "");
  EXPECT_EQ(unnamed->device_type, "ps");
}

TEST(PgplotPicture, LayerNamesPicturesExactlyAndEndsWhatItOpened) {
  PictureFolder folder;
  std::ostringstream error_lines;
  RecordingErrorStream error_stream(error_lines);
  auto pgplot = make_pgplot_library(error_stream);
  const std::array<float, 2> x{0, 1};
  // giza would add ".png" to this name, and ".ps" to one without an extension; without a
  // name, PGPLOT's own is drawn in the current folder.
  for (const std::string specification :
       {"picture.data/png", "bare/ps", "drawing/svg", "document/pdf", "/ps"}) {
    ASSERT_EQ(pgplot->PGBEG(0, specification, 1, 1), 1) << specification;
    pgplot->PGPAGE();
    pgplot->PGSWIN(0, 1, 0, 1);
    pgplot->PGBOX("BC", 0, 0, "BC", 0, 0);
    pgplot->PGLINE(x, x);
    EXPECT_TRUE(pgplot->PGEND()) << specification;
  }
  // Ending with nothing open is a fault of the caller, and said to be one.
  EXPECT_FALSE(pgplot->PGEND());
  const std::string errors = error_lines.str();
  EXPECT_THAT(folder.entries(),
              ElementsAre("bare", "document", "drawing", "pgplot.ps", "picture.data"));
  EXPECT_THAT(contents_of("picture.data"), ::testing::StartsWith("\x89PNG"));
  EXPECT_THAT(contents_of("document"), ::testing::StartsWith("%PDF"));
  EXPECT_EQ(errors, "curvist: PGEND without an open picture\n");
}

TEST(PgplotPicture, PointsRepeatedInPlaceChangeNothingInThePostScript) {
  const PictureFolder folder;
  constexpr std::size_t points = 300;
  std::vector<double> x, y, repeated_x, repeated_y;
  for (std::size_t i = 0; i < points; ++i) {
    x.push_back(0.1 * i);
    y.push_back(std::sin(0.1 * i));
    // Three copies of each point, and a neighbour far closer than a thousandth of an inch.
    for (const double shift : {0.0, 0.0, 1e-7}) {
      repeated_x.push_back(x.back() + shift);
      repeated_y.push_back(y.back());
    }
  }
  // The last point is drawn as given: the repeated curve ends on the point itself.
  repeated_x.back() = x.back();
  P::FilePlotOptions options;
  options.FILENAME = "once.ps";
  plot_for_real([&] { P::PGPLOTDP({x.data(), points, 1}, {y.data(), points, 1}, options); });
  options.FILENAME = "repeated.ps";
  plot_for_real([&] {
    P::PGPLOTDP({repeated_x.data(), 3 * points, 1}, {repeated_y.data(), 3 * points, 1}, options);
  });
  EXPECT_EQ(postscript_body("repeated.ps"), postscript_body("once.ps"));
}

}  // namespace
}  // namespace curvist
