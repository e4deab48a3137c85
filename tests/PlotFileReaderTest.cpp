#include <gtest/gtest.h>

#include <string>

#include "TemporaryFolder.hpp"
#include "plotfile/PlotFile.hpp"
#include "plotfile/PlotFileName.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;

class PlotFileReader : public ::testing::Test {
 protected:
  Refusable<PlotFile> read(std::string_view content) {
    return read_plot_file(folder.write("data.dat", content).string());
  }
  TemporaryFolder folder;
};

TEST_F(PlotFileReader, ReadsTheCurvesAsColumnsAndTheCaptions) {
  const auto file = read(
      "-3\n4\n"
      "0 1\n1 2\n2 3\n3 4\n"
      "0 10\n1 20\n2 30\n3 40\n"
      "0 -1\n1 -2\n2 -3\n3 -4\n"
      "Time (s)\nHeight\nThree curves\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->curves, 3);
  EXPECT_EQ(file->points, 4);
  const auto y = file->y_view();
  EXPECT_EQ(y(0, 0), 1);
  EXPECT_EQ(y(3, 0), 4);
  EXPECT_EQ(y(0, 1), 10) << "the second four points form curve 2";
  EXPECT_EQ(y(3, 2), -4);
  EXPECT_EQ(file->x_view()(2, 2), 2);
  EXPECT_EQ(file->x_caption.text(), "Time (s)");
  EXPECT_EQ(file->y_caption.text(), "Height");
  EXPECT_EQ(file->title.text(), "Three curves");
}

TEST_F(PlotFileReader, ReadsCommasAndEveryExponentForm) {
  const auto file = read("-1\n3\n1.5e-3,2.0D0\n1.5+3 , -2\n.5 4.\n\n\n\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->x, (std::vector<double>{1.5e-3, 1500, 0.5}));
  EXPECT_EQ(file->y, (std::vector<double>{2, -2, 4}));
  EXPECT_TRUE(file->x_caption.is_blank()) << "caption lines may be blank";
  EXPECT_TRUE(file->title.is_blank());
}

TEST_F(PlotFileReader, NeedsANegativeFirstAndAtLeastTwoPoints) {
  EXPECT_TRUE(read("-1\n2\n0 0\n1 1\nx\ny\nt\n"));
  EXPECT_FALSE(read("-1\n1\n0 0\nx\ny\nt\n")) << "one point";
  EXPECT_FALSE(read("2\n5\nx\ny\nt\nmore\n")) << "positive first header number";
  EXPECT_FALSE(read("-1.0\n2\n0 0\n1 1\nx\ny\nt\n")) << "header with a decimal point";
}

TEST_F(PlotFileReader, TakesTheHeaderTwiceTheWayItIsWritten) {
  // The plausibility read takes both numbers from one line; the reread takes the
  // second number from the line after the first.
  const auto file = read("-1 9\n2\n0 0\n1 1\nx\ny\nt\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->points, 2);
}

TEST_F(PlotFileReader, TakesYFromTheNextLineWhenALineHoldsOnlyX) {
  // Laid out as one line per point, the block then ends a line later and the x caption
  // is read as a number.
  EXPECT_FALSE(read("-1\n2\n0\n1 1\nx\ny\nt\n"));
  const auto file = read("-1\n2\n0\n5\n1 1\n7 8\nx\ny\nt\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->y, (std::vector<double>{5, 1}));
  EXPECT_EQ(file->x_caption.text(), "7 8");
}

TEST_F(PlotFileReader, FailsAtNonNumericOrMissingValuesAndMissingCaptions) {
  EXPECT_FALSE(read("-1\n2\n0 0\n1 one\nx\ny\nt\n"));
  EXPECT_FALSE(read("-1\n2\n0 0\n1 1\nx\ny\n")) << "title missing";
  EXPECT_FALSE(read(""));
  EXPECT_FALSE(read_plot_file((folder / "absent.dat").string()));
  EXPECT_FALSE(read_plot_file(folder.path().string())) << "a directory";
}

TEST_F(PlotFileReader, PassesOverBlankLinesInsideTheDataBlock) {
  const auto file = read("-1\n2\n0 0\n\n1 1\nx\ny\nt\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->x, (std::vector<double>{0, 1}));
  EXPECT_EQ(file->x_caption.text(), "x");
}

TEST_F(PlotFileReader, CutsCaptionsToOneHundredCharacters) {
  const std::string long_caption(100, 'a');
  const auto file = read("-1\n2\n0 0\n1 1\n" + long_caption + "bbbbbbbbbbbbbbbbbbbb\ny\nt\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->x_caption.view(), long_caption);

  // Characters, not bytes: 120 micro signs of two bytes each keep 100 of them whole.
  std::string micro_signs;
  for (int count = 0; count < 120; ++count) micro_signs += "\u00b5";
  const auto utf8 = read("-1\n2\n0 0\n1 1\n" + micro_signs + "\ny\nt\n");
  ASSERT_TRUE(utf8);
  EXPECT_EQ(utf8->x_caption.view(), micro_signs.substr(0, 200));
}

TEST_F(PlotFileReader, DropsTheCarriageReturnOfWindowsLineEnds) {
  const auto file = read("-1\r\n2\r\n0 0\r\n1 1\r\nx\r\ny\r\nTitle\r\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->title.text(), "Title");
}

TEST_F(PlotFileReader, ReadsOldMacLineEndsAndEndsALineAtAStrayCarriageReturn) {
  const auto mac = read("-2\r2\r0 0\r1 1\r0 1\r1 0\rTime\rValue\rTitle\r");
  ASSERT_TRUE(mac);
  EXPECT_EQ(mac->y, (std::vector<double>{0, 1, 1, 0}));
  EXPECT_EQ(mac->title.text(), "Title");
  // The carriage return inside the caption line ends it: the title is the line after.
  const auto stray = read("-1\n2\n0 0\n1 1\nTime\r(s)\nValue\nTitle\n");
  ASSERT_TRUE(stray);
  EXPECT_EQ(stray->x_caption.text(), "Time");
  EXPECT_EQ(stray->y_caption.text(), "(s)");
  EXPECT_EQ(stray->title.text(), "Value");
}

TEST_F(PlotFileReader, RefusesAHeaderPromisingMorePointsThanTheFileHolds) {
  EXPECT_FALSE(read("-2147483648\n2147483647\n0 0\n1 1\nx\ny\nt\n"));
  EXPECT_FALSE(read("-1000\n1000000\n0 0\n1 1\nx\ny\nt\n"));
}

TEST_F(PlotFileReader, ToleratesTrailingBlanksOfTheNameField) {
  folder.write("data.dat", "-1\n2\n0 0\n1 1\nx\ny\nt\n");
  EXPECT_TRUE(read_plot_file((folder / "data.dat").string() + "     "));
}

class PlotFileReaderReason : public PlotFileReader {
 protected:
  std::string reason_for(std::string_view content) {
    const auto unread = read_plot_file(folder.write("data.dat", content).string(), Reasons::asked);
    EXPECT_FALSE(unread);
    return unread.why_not();
  }
};

TEST_F(PlotFileReaderReason, QuotesTheValueThatIsNoNumberWithItsLine) {
  std::string ten_points = "-1\n10\n";
  for (int point = 0; point < 9; ++point) ten_points += "0 0\n";
  EXPECT_EQ(reason_for(ten_points + "1 n/a\nx\ny\nt\n"), "line 12: \"n/a\" is not a number");
  // A long value is cut short, never inside a UTF-8 character.
  EXPECT_EQ(reason_for("-1\n2\n0 0\n1 " + std::string(39, 'a') +
                       "\xC3\xA9"
                       "bc\nx\ny\nt\n"),
            "line 4: \"" + std::string(39, 'a') + "\"... is not a number");
  EXPECT_EQ(reason_for("-1\n2\n0,,1\n1 1\nx\ny\nt\n"),
            "line 3: an empty value where a number is needed");
  EXPECT_EQ(reason_for("-1\n2\n0 0\n\n1 /\nx\ny\nt\n"),
            "line 5: a slash ends the values where a number is needed");
  // A blank line in the block: the last point meets the x caption.
  EXPECT_EQ(reason_for("-1\n2\n0 0\n\nTime (s)\ny\nt\n"), "line 5: \"Time\" is not a number");
}

TEST_F(PlotFileReaderReason, SaysWhichPointTheFileEndsBefore) {
  EXPECT_EQ(reason_for("-2\n2\n0 0\n1 1\n0 1\n"),
            "the file ends after line 5, before point 2 of curve 2");
  EXPECT_EQ(reason_for("-1\n2\n0 0\n1\n"),
            "the file ends after line 4, before the y value of point 2 of curve 1");
  EXPECT_EQ(reason_for("-1\n2\n0 0\n1 1\nx\ny"), "the file ends after line 6, before the title");
  EXPECT_EQ(reason_for(""), "the file is empty");
}

TEST_F(PlotFileReaderReason, TellsWhatIsWrongWithTheHeader) {
  EXPECT_EQ(reason_for("2\n5\nx\ny\nt\nmore\n"),
            "line 1: 2 is not negative (minus the number of curves)");
  EXPECT_EQ(reason_for("\n 0\n5\nx\ny\nt\n"),
            "line 2: 0 is not negative (minus the number of curves)");
  EXPECT_EQ(reason_for("\n-1\n1\n0 0\nx\ny\nt\n"),
            "line 3: 1 point per curve, at least 2 are needed");
  EXPECT_EQ(reason_for("-1 -3\n5\n"), "line 1: -3 points per curve, at least 2 are needed");
  // The first look takes both numbers from line 1; the reading takes N from line 2.
  EXPECT_EQ(reason_for("-1 5\nfive\n0 0\n"),
            "line 2: \"five\" is not an integer (the number of points)");
  EXPECT_EQ(reason_for("-1.0\n2\n"),
            "line 1: \"-1.0\" is not an integer (minus the number of curves)");
  EXPECT_EQ(reason_for("-1\n"), "the file ends after line 1, before the number of points");
}

TEST_F(PlotFileReaderReason, RefusesHeadersPromisingMoreThanTheFileOrAPlotHolds) {
  EXPECT_EQ(
      reason_for("-1000\n1000000\n0 0\n1 1\nx\ny\nt\n"),
      "the header promises 1000 curves of 1000000 points, more than a file of 28 bytes holds");
  EXPECT_EQ(reason_for("-2147483648 4\n0\nx\ny\nt\n"),
            "2147483648 curves are more than a plot holds");
}

TEST_F(PlotFileReaderReason, NamesWhatStandsWhereNoFileIs) {
  EXPECT_EQ(read_plot_file((folder / "absent.dat").string(), Reasons::asked).why_not(),
            "no such file");
  EXPECT_EQ(read_plot_file(folder.path().string(), Reasons::asked).why_not(), "a directory");
}

TEST(PlotFileName, ReplacesTheLastFourCharactersByTheDeviceType) {
  EXPECT_EQ(plot_file_name("sample.dat", "ps"), "sample.ps");
  EXPECT_EQ(plot_file_name("curve.data", "ps"), "curve..ps");
  EXPECT_EQ(plot_file_name("a.da", "ps"), ".ps");
  EXPECT_EQ(plot_file_name("", "ps"), ".ps");
  EXPECT_EQ(plot_file_name("sample.dat        ", "gif       "), "sample.gif");
  EXPECT_EQ(plot_file_name("ab  .dat", "ps"), "ab.ps") << "the base loses trailing blanks";
  // Never cut to a field's length: cut at 80 characters, this would name the data file.
  const std::string data_file = std::string(76, 'S').append(".dat");
  EXPECT_EQ(plot_file_name(data_file + ".old.dat", "ps"), data_file + ".old.ps");
  EXPECT_EQ(plot_file_name(std::string(120, 'n'), "ps"), std::string(116, 'n').append(".ps"));
}

}  // namespace
}  // namespace curvist
