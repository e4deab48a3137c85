#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "PgPlot.hpp"
#include "RecordedTrace.hpp"

namespace curvist {
namespace {

using testing::calls_named;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::padded;
using testing::recorded_lines;
namespace P = PGPLOTPACK;

const std::string frame = padded("BCNST", 20);
const std::string log_frame = padded("BCLNST", 20);

TEST(PgplotFilePlot, DrawsThePageTheCurvesAndNamesThePicture) {
  const std::array<double, 4> x{0, 1, 2, 3};
  const std::array<double, 4> y{1, 2, 4, 8};
  const auto lines = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 2, 2}, {y.data(), 2, 2},
                {.XLABEL = "Time (s)",
                 .YLABEL = "Amplitude",
                 .TITLE = "Run 7",
                 .FILENAME = "sample.ps",
                 .DEVICE = "ps"});
  });
  EXPECT_THAT(lines, ElementsAre("PGBEG 0 \"" + padded("sample.ps") + "/ps\" 1 1", "PGSLW 3",
                                 "PGSCH 1.5", "PGPAGE", "PGVSTD", "PGSWIN 0 3 1 8",
                                 "PGBOX \"" + frame + "\" 0 0 \"" + frame + "\" 0 0",
                                 "PGLAB \"" + padded("Time (s)") + "\" \"" + padded("Amplitude") +
                                     "\" \"" + padded("Run 7") + "\"",
                                 "PGSLS 1", "PGLINE 2 0 1 1 2", "PGSLS 2", "PGLINE 2 2 4 3 8",
                                 "PGEND", "console \" Output in sample.ps\""));
}

TEST(PgplotFilePlot, TakesDefaultsForAbsentOptionsAndKeepsBlankOnes) {
  const std::array<double, 2> x{0, 1};
  const std::array<double, 2> y{0, 1};
  const auto defaults = recorded_lines([&] { P::PGPLOTDP({x.data(), 2, 1}, {y.data(), 2, 1}); });
  EXPECT_THAT(calls_named(defaults, "PGBEG"),
              ElementsAre("PGBEG 0 \"" + padded("Plot.ps") + "/ps\" 1 1"));
  EXPECT_THAT(calls_named(defaults, "PGLAB"),
              ElementsAre("PGLAB \"" + padded("x") + "\" \"" + padded("y") + "\" \"" +
                          padded("Representation of y=y(x)") + "\""));

  const std::string long_title(100, 'T');
  const auto given = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 2, 1}, {y.data(), 2, 1}, {.XLABEL = "   time", .TITLE = "   "});
  });
  EXPECT_THAT(calls_named(given, "PGLAB"), ElementsAre("PGLAB \"" + padded("time") + "\" \"" +
                                                       padded("y") + "\" \"" + padded("") + "\""));
  const auto cut = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 2, 1}, {y.data(), 2, 1}, {.TITLE = long_title});
  });
  EXPECT_THAT(calls_named(cut, "PGLAB"),
              ElementsAre("PGLAB \"" + padded("x") + "\" \"" + padded("y") + "\" \"" +
                          std::string(80, 'T') + "\""));
}

TEST(PgplotFilePlot, TitlesAreCutAfterTheirEightiethCharacterWhateverItsBytes) {
  const std::array<double, 2> x{0, 1};
  const std::array<double, 2> y{0, 1};
  const auto title_drawn = [&](const std::string& title) {
    const auto lines = recorded_lines([&] {
      P::PGPLOTDP({x.data(), 2, 1}, {y.data(), 2, 1}, {.TITLE = title});
    });
    const std::string line = calls_named(lines, "PGLAB").at(0);
    const std::string start = "PGLAB \"" + padded("x") + "\" \"" + padded("y") + "\" \"";
    return line.substr(start.size(), line.size() - start.size() - 1);
  };
  std::string degrees;  // 100 degree signs of two bytes each
  for (int count = 0; count < 100; ++count) degrees += "\u00b0";
  EXPECT_EQ(title_drawn(degrees), degrees.substr(0, 160));
  // Latin-1: a byte is a character.
  EXPECT_EQ(title_drawn(std::string(100, '\xb0')), std::string(80, '\xb0'));
  // A short UTF-8 title is padded to 80 characters.
  EXPECT_EQ(title_drawn("T (\u00b0C)"), "T (\u00b0C)" + std::string(74, ' '));
}

TEST(PgplotFilePlot, DeviceTypeReplacesTheClosingPsOfTheFileName) {
  const std::array<double, 2> x{0, 1};
  const auto picture = [&](std::optional<std::string_view> file_name, std::string_view device) {
    const auto lines = recorded_lines([&] {
      P::PGPLOTDP({x.data(), 2, 1}, {x.data(), 2, 1}, {.FILENAME = file_name, .DEVICE = device});
    });
    return calls_named(lines, "console");
  };
  EXPECT_THAT(picture(std::nullopt, "gif"), ElementsAre("console \" Output in Plot.gif\""));
  EXPECT_THAT(picture("maps", "gif"), ElementsAre("console \" Output in magif\""));
  EXPECT_THAT(picture("run.ps", "vps"), ElementsAre("console \" Output in run.vps\""));
  EXPECT_THAT(picture("run.ps", "ps"), ElementsAre("console \" Output in run.ps\""));
  EXPECT_THAT(picture("s", "gif"), ElementsAre("console \" Output in s\""));
  EXPECT_THAT(picture(std::nullopt, "PS"), ElementsAre("console \" Output in Plot.PS\""));
}

TEST(PgplotFilePlot, DeviceSpecificationKeepsTheWholeFileNameField) {
  const std::array<double, 2> x{0, 1};
  const auto lines = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 2, 1}, {x.data(), 2, 1}, {.FILENAME = "  lead.ps"});
  });
  const std::string specification = "  lead.ps" + std::string(71, ' ') + "/ps";
  EXPECT_THAT(calls_named(lines, "PGBEG"), ElementsAre("PGBEG 0 \"" + specification + "\" 1 1"));
  EXPECT_THAT(calls_named(lines, "console"), ElementsAre("console \" Output in lead.ps\""));
}

TEST(PgplotFilePlot, SwapsColoursForLowerCaseGifOnly) {
  const std::array<double, 2> x{0, 1};
  const auto colours = [&](std::string_view device) {
    return calls_named(recorded_lines([&] {
                         P::PGPLOTDP({x.data(), 2, 1}, {x.data(), 2, 1}, {.DEVICE = device});
                       }),
                       "PGSCR");
  };
  EXPECT_THAT(colours("gif"), ElementsAre("PGSCR 0 1 1 1", "PGSCR 1 0 0 0"));
  EXPECT_THAT(colours("GIF"), IsEmpty());
  EXPECT_THAT(colours("ps"), IsEmpty());
  // The swap comes after the page has begun and before anything is drawn.
  const auto lines = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 2, 1}, {x.data(), 2, 1}, {.DEVICE = "gif"});
  });
  EXPECT_EQ(lines[5], "PGSWIN 0 1 0 1");
  EXPECT_EQ(lines[6], "PGSCR 0 1 1 1");
  EXPECT_EQ(lines[8].substr(0, 5), "PGBOX");
}

TEST(PgplotFilePlot, EqualOrUnusableLimitsDrawNothing) {
  const std::array<double, 3> same{2, 2, 2};
  const std::array<double, 3> rising{1, 2, 3};
  EXPECT_THAT(recorded_lines([&] {
                P::PGPLOTDP({same.data(), 3, 1}, {rising.data(), 3, 1});
              }),
              IsEmpty());
  EXPECT_THAT(recorded_lines([&] {
                P::PGPLOTDP({rising.data(), 3, 1}, {same.data(), 3, 1});
              }),
              IsEmpty());
  EXPECT_THAT(recorded_lines([&] {
                P::PGPLOTDP({rising.data(), 0, 1}, {rising.data(), 3, 1});
              }),
              IsEmpty());
  EXPECT_THAT(recorded_lines([&] { P::PGPLOTLISTSP({}, std::vector<float>{1, 2}); }), IsEmpty());
  // The largest 64-bit values do not fit 32 bits.
  const std::array<double, 2> huge{0, 1e300};
  EXPECT_THAT(recorded_lines([&] {
                P::PGPLOTDP({huge.data(), 2, 1}, {rising.data(), 2, 1});
              }),
              IsEmpty());
}

TEST(PgplotFilePlot, PointsThatAreNotFiniteBreakTheLine) {
  const std::array<double, 5> x{0, 1, 2, 3, 4};
  const std::array<double, 5> y{0, 1, std::nan(""), 3, 4};
  const auto lines = recorded_lines([&] { P::PGPLOTDP({x.data(), 5, 1}, {y.data(), 5, 1}); });
  EXPECT_THAT(calls_named(lines, "PGLINE"), ElementsAre("PGLINE 2 0 0 1 1", "PGLINE 2 3 3 4 4"));
  const auto marked = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 5, 1}, {y.data(), 5, 1}, {.JOIN = false});
  });
  EXPECT_THAT(calls_named(marked, "PGPT"), ElementsAre("PGPT 4 1 0 0 1 1 3 3 4 4"));
}

TEST(PgplotFilePlot, CyclesFourLineStyles) {
  std::vector<double> x, y;
  for (int curve = 0; curve < 5; ++curve)
    for (int point = 0; point < 2; ++point) {
      x.push_back(point);
      y.push_back(curve + point);
    }
  const auto lines = recorded_lines([&] { P::PGPLOTDP({x.data(), 2, 5}, {y.data(), 2, 5}); });
  EXPECT_THAT(calls_named(lines, "PGSLS"),
              ElementsAre("PGSLS 1", "PGSLS 2", "PGSLS 3", "PGSLS 4", "PGSLS 1"));
}

TEST(PgplotFilePlot, DrawsTheCommonRowsButTakesLimitsFromAll) {
  std::vector<double> x(10), y(8);
  for (int i = 0; i < 10; ++i) x[i] = i;
  for (int i = 0; i < 8; ++i) y[i] = 10 * i;
  const auto lines = recorded_lines([&] { P::PGPLOTDP({x.data(), 10, 1}, {y.data(), 8, 1}); });
  EXPECT_THAT(calls_named(lines, "PGSWIN"), ElementsAre("PGSWIN 0 9 0 70"));
  EXPECT_THAT(calls_named(lines, "PGLINE"),
              ElementsAre("PGLINE 8 0 0 1 10 2 20 3 30 4 40 5 50 6 60 7 70"));
}

TEST(PgplotFilePlot, LogarithmicYLeavesOutSegmentsAtZero) {
  const std::array<double, 4> x{1, 2, 3, 4};
  const std::array<double, 4> y{1, 0, 10, 100};
  const auto joined = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 4, 1}, {y.data(), 4, 1}, {.LOGY = true});
  });
  EXPECT_THAT(calls_named(joined, "PGSWIN"), ElementsAre("PGSWIN 1 4 0 2"));
  EXPECT_THAT(calls_named(joined, "PGBOX"),
              ElementsAre("PGBOX \"" + frame + "\" 0 0 \"" + log_frame + "\" 0 0"));
  EXPECT_THAT(calls_named(joined, "PGLINE"), ElementsAre("PGLINE 2 3 1 4 2"));

  const auto marked = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 4, 1}, {y.data(), 4, 1}, {.JOIN = false, .LOGY = true});
  });
  EXPECT_THAT(calls_named(marked, "PGPT"), ElementsAre("PGPT 4 1 1 0 2 0 3 1 4 2"));

  const std::array<double, 3> no_zero{1, 10, 100};
  const auto whole = recorded_lines([&] {
    P::PGPLOTDP({x.data(), 3, 1}, {no_zero.data(), 3, 1}, {.LOGX = true, .LOGY = true});
  });
  EXPECT_THAT(calls_named(whole, "PGBOX"),
              ElementsAre("PGBOX \"" + log_frame + "\" 0 0 \"" + log_frame + "\" 0 0"));
  EXPECT_THAT(calls_named(whole, "PGLINE"), ElementsAre("PGLINE 3 0 0 0.30103 1 0.47712126 2"));
}

TEST(PgplotFilePlot, OnePointCurveIsOnlyMarkedWhenNotJoined) {
  // Two curves of one point each.
  const std::array<float, 2> x{0, 1};
  const std::array<float, 2> y{5, 6};
  const auto joined = recorded_lines([&] { P::PGPLOTSP({x.data(), 1, 2}, {y.data(), 1, 2}); });
  EXPECT_THAT(calls_named(joined, "PGLINE"), ElementsAre("PGLINE 1 0 5", "PGLINE 1 1 6"));
  const auto marked = recorded_lines([&] {
    P::PGPLOTSP({x.data(), 1, 2}, {y.data(), 1, 2}, {.JOIN = false});
  });
  EXPECT_THAT(calls_named(marked, "PGPT"), ElementsAre("PGPT 1 17 0 5", "PGPT 1 17 1 6"));
}

TEST(PgplotFilePlot, ScanFrequencyPicturesGetTheReferenceMarkers) {
  const std::array<float, 2> x{0, 1};
  const std::array<float, 2> y{500, 600};
  const auto markers = [&](std::string_view file_name) {
    return calls_named(recorded_lines([&] {
                         P::PGPLOTSP({x.data(), 2, 1}, {y.data(), 2, 1}, {.FILENAME = file_name});
                       }),
                       "PGPT");
  };
  EXPECT_THAT(markers("Scan-Frequency.real.ps"),
              ElementsAre("PGPT 1 3 0 506.9", "PGPT 1 3 0.0707 532.6", "PGPT 1 3 0.1 564.8",
                          "PGPT 1 3 0.1225 606.9"));
  EXPECT_THAT(markers("scan-frequency.real.ps"), IsEmpty());
  // The double-precision plot has none.
  const std::array<double, 2> xd{0, 1};
  const std::array<double, 2> yd{500, 600};
  EXPECT_THAT(calls_named(recorded_lines([&] {
                            P::PGPLOTDP({xd.data(), 2, 1}, {yd.data(), 2, 1},
                                        {.FILENAME = "Scan-Frequency.real.ps"});
                          }),
                          "PGPT"),
              IsEmpty());
  // The markers come last, just before the picture is ended.
  const auto lines = recorded_lines([&] {
    P::PGPLOTSP({x.data(), 2, 1}, {y.data(), 2, 1}, {.FILENAME = "Scan-Frequency.real.ps"});
  });
  EXPECT_EQ(lines[lines.size() - 3], "PGPT 1 3 0.1225 606.9");
}

TEST(PgplotListPlot, LaysOutCurvesOneAfterAnother) {
  std::vector<double> values(10);
  for (int i = 0; i < 10; ++i) values[i] = i + 1;
  const auto lines = recorded_lines([&] { P::PGPLOTLISTDP(values, values, {.NCURVES = 3}); });
  EXPECT_THAT(calls_named(lines, "PGSWIN"), ElementsAre("PGSWIN 1 10 1 10"));
  EXPECT_THAT(calls_named(lines, "PGSLS"), ElementsAre("PGSLS 1", "PGSLS 2", "PGSLS 3"));
  EXPECT_THAT(calls_named(lines, "PGLINE"),
              ElementsAre("PGLINE 3 1 1 2 2 3 3", "PGLINE 3 4 4 5 5 6 6", "PGLINE 3 7 7 8 8 9 9"));

  std::vector<float> x(12), y(10);
  for (int i = 0; i < 12; ++i) x[i] = static_cast<float>(i);
  for (int i = 0; i < 10; ++i) y[i] = static_cast<float>(i);
  const auto uneven = recorded_lines([&] { P::PGPLOTLISTSP(x, y, {.JOIN = false, .NCURVES = 2}); });
  EXPECT_THAT(calls_named(uneven, "PGSWIN"), ElementsAre("PGSWIN 0 11 0 9"));
  EXPECT_THAT(calls_named(uneven, "PGPT"),
              ElementsAre("PGPT 5 1 0 0 1 1 2 2 3 3 4 4", "PGPT 5 1 5 5 6 6 7 7 8 8 9 9"));

  const auto single = recorded_lines([&] { P::PGPLOTLISTSP(y, y); });
  EXPECT_THAT(calls_named(single, "PGSLS"), ElementsAre("PGSLS 1"));
  EXPECT_THAT(calls_named(single, "PGLINE"),
              ElementsAre("PGLINE 10 0 0 1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9"));
}

TEST(PgplotListPlot, CountsWithoutCurvesStillMakeThePage) {
  const std::vector<double> values{1, 2, 3, 4, 5};
  for (const int count : {0, -1, 6}) {
    const auto lines = recorded_lines([&] { P::PGPLOTLISTDP(values, values, {.NCURVES = count}); });
    EXPECT_THAT(calls_named(lines, "PGBOX"), ::testing::SizeIs(1)) << count;
    EXPECT_THAT(calls_named(lines, "PGSLS"), IsEmpty()) << count;
    EXPECT_THAT(calls_named(lines, "PGLINE"), IsEmpty()) << count;
    EXPECT_THAT(calls_named(lines, "console"), ElementsAre("console \" Output in Plot.ps\""));
  }
}

TEST(PgplotListPlot, LogarithmicYWithZerosAndTheGifName) {
  const std::vector<double> x{1, 2, 3, 4, 5, 6};
  const std::vector<double> y{1, 0, 10, 100, 1000, 10};
  const auto lines =
      recorded_lines([&] { P::PGPLOTLISTDP(x, y, {.LOGY = true, .NCURVES = 2, .DEVICE = "gif"}); });
  EXPECT_THAT(calls_named(lines, "PGSWIN"), ElementsAre("PGSWIN 1 6 0 3"));
  EXPECT_THAT(calls_named(lines, "PGLINE"), ElementsAre("PGLINE 2 4 2 5 3", "PGLINE 2 5 3 6 1"));
  EXPECT_THAT(calls_named(lines, "console"), ElementsAre("console \" Output in Plot.gif\""));
}

}  // namespace
}  // namespace curvist
