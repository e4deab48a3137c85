// Captions in real pictures: UTF-8 and Latin-1 texts, with PGPLOT's escapes around
// them, as the user sees them in PostScript (rendered and read back by Ghostscript), PNG
// (its pixels) and SVG (its glyphs, and rendered by rsvg-convert).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "PgPlot.hpp"
#include "PictureFolder.hpp"
#include "RealPictures.hpp"

namespace curvist {
namespace {

using testing::contents_of;
using testing::count_pixels;
using ::testing::HasSubstr;
using testing::is_dark;
using testing::PictureFolder;
using testing::plot_for_real;
using testing::TwoCurves;

struct Captions {
  std::string_view x, y, title;
};

// The same captions, written in UTF-8 and in Latin-1: a degree sign, micro sign,
// A with ring, e acute and umlaut among escapes that raise, lower and give Greek and
// other characters, and the characters giza reads as escapes of its own.
constexpr Captions utf8{"Temperatur (\u00b0C)", "L\u00e4nge \u00b5m\\u2\\d",
                        "Spektrum \u00c5\\u-1\\d \u00e9 \\ga x_max {a} \\\\ \\x \\A \\."};
constexpr Captions latin1{
    "Temperatur (\xb0"
    "C)",
    "L\xe4nge \xb5m\\u2\\d", "Spektrum \xc5\\u-1\\d \xe9 \\ga x_max {a} \\\\ \\x \\A \\."};
constexpr Captions blank{"", "", ""};

// Plots the two curves with `captions` into FILE of DEVICE; expects it announced.
void plot_with(const Captions& captions, const std::string& file, std::string_view device) {
  const TwoCurves curves;
  const auto run = plot_for_real([&] {
    curves.plot({.XLABEL = captions.x,
                 .YLABEL = captions.y,
                 .TITLE = captions.title,
                 .FILENAME = file,
                 .DEVICE = device});
  });
  EXPECT_EQ(run.console, "console \" Output in " + file + "\"\n");
  EXPECT_EQ(run.errors, "");
}

RgbImage png_pixels(const std::string& file) {
  RgbImage image;
  const auto problem = read_png(file, image);
  EXPECT_FALSE(problem) << *problem;
  return image;
}

// Ink where the curves are, and in the bands of the title, the x caption and the y
// caption; `captions_drawn` false: none in those bands beyond the tick numbers.
void expect_curves_and_captions(const RgbImage& page, bool captions_drawn) {
  ASSERT_GT(page.width, 0);
  EXPECT_GT(count_pixels(page, 0.3, 0.3, 0.7, 0.7, is_dark), 100);
  const int title = count_pixels(page, 0.25, 0.0, 0.75, 0.08, is_dark);
  const int x_caption = count_pixels(page, 0.25, 0.93, 0.75, 1.0, is_dark);
  const int y_caption = count_pixels(page, 0.0, 0.25, 0.06, 0.75, is_dark);
  if (captions_drawn) {
    EXPECT_GT(title, 50);
    EXPECT_GT(x_caption, 50);
    EXPECT_GT(y_caption, 50);
  } else {
    EXPECT_EQ(title + x_caption + y_caption, 0);
  }
}

TEST(PictureText, PostScriptShowsUtf8AndLatin1CaptionsAndTheCurves) {
  const PictureFolder folder;
  plot_with(utf8, "utf8.ps", "ps");
  plot_with(latin1, "latin1.ps", "ps");
  const std::string text = testing::postscript_text("utf8.ps");
  EXPECT_THAT(text, HasSubstr("Temperatur (\u00b0C)"));
  EXPECT_THAT(text, HasSubstr("L\u00e4nge \u00b5m"));
  EXPECT_THAT(text, HasSubstr("Spektrum \u00c5"));
  // giza's own symbols, and PGPLOT's escapes for a backslash, times, Angstrom and dot.
  EXPECT_THAT(text, HasSubstr("\u00e9 \u03b1 x_max {a} \\ \u00d7 \u00c5 \u00b7"));
  // The raised -1 and 2 are there, outside the lines of their captions.
  EXPECT_THAT(text, HasSubstr("-1"));
  // Latin-1 captions are the same characters: the same picture.
  EXPECT_EQ(testing::postscript_body("latin1.ps"), testing::postscript_body("utf8.ps"));
  expect_curves_and_captions(testing::render_postscript("utf8.ps"), true);
}

TEST(PictureText, PngShowsTheCaptionsAndTheCurvesWhicheverEncoding) {
  const PictureFolder folder;
  plot_with(utf8, "utf8.png", "png");
  plot_with(latin1, "latin1.png", "png");
  plot_with(blank, "blank.png", "png");
  const RgbImage page = png_pixels("utf8.png");
  expect_curves_and_captions(page, true);
  expect_curves_and_captions(png_pixels("blank.png"), false);
  EXPECT_TRUE(png_pixels("latin1.png").pixels == page.pixels);
}

// The SVG without the serial number cairo gives each surface it makes.
std::string svg_drawing(const std::string& svg) {
  std::string text = contents_of(svg);
  const auto id = text.find("<g id=\"surface");
  if (id != std::string::npos) text.erase(id, text.find('>', id) - id);
  return text;
}

int glyphs_drawn(const std::string& svg) {
  const std::string text = contents_of(svg);
  int count = 0;
  for (auto at = text.find("<use xlink:href=\"#glyph"); at != std::string::npos;
       at = text.find("<use xlink:href=\"#glyph", at + 1))
    ++count;
  return count;
}

TEST(PictureText, SvgDrawsEveryCharacterAndRendersWithCaptionsAndCurves) {
  const PictureFolder folder;
  plot_with(utf8, "utf8.svg", "svg");
  plot_with(latin1, "latin1.svg", "svg");
  EXPECT_TRUE(svg_drawing("latin1.svg") == svg_drawing("utf8.svg"));
  // cairo writes each character drawn as a glyph: the degree sign is one of them.
  plot_with({"Temperatur (C)", utf8.y, utf8.title}, "without.svg", "svg");
  EXPECT_EQ(glyphs_drawn("utf8.svg"), glyphs_drawn("without.svg") + 1);

  if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
  ASSERT_EQ(std::system("rsvg-convert -b white -o utf8.svg.png utf8.svg"), 0);
  expect_curves_and_captions(testing::read_rendered("utf8.svg.png"), true);
}

TEST(PictureText, GreekLettersWrittenAsEscapesOrInUtf8AreTheSame) {
  const PictureFolder folder;
  // Each caption is a run of UTF-8 followed by escapes, drawn in pieces; the escape \ga
  // keeps it whole. The pieces must land where the whole text does.
  const Captions escaped{"\\ga\\u2\\d + \\gb", "\\gD\\gl\\u-1\\d",
                         "\\fi\\gw\\u\\gt\\d and \\gS\\gF"};
  const Captions written{"\u03b1\\u2\\d + \u03b2", "\u0394\u03bb\\u-1\\d",
                         "\\fi\u03c9\\u\u03c4\\d and \u03a3\u03a6"};
  plot_with(escaped, "escaped.png", "png");
  plot_with(written, "written.png", "png");
  const RgbImage page = png_pixels("escaped.png");
  expect_curves_and_captions(page, true);
  EXPECT_TRUE(png_pixels("written.png").pixels == page.pixels);

  plot_with(written, "written.ps", "ps");
  const std::string text = testing::postscript_text("written.ps");
  for (const std::string_view letters :
       {"\u03b1", "+ \u03b2", "\u0394\u03bb", "\u03c9", "and \u03a3\u03a6"})
    EXPECT_THAT(text, HasSubstr(letters)) << text;
}

}  // namespace
}  // namespace curvist
