#include "PreCheck.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;

class PreCheck : public ::testing::Test {
 protected:
  bool passes(std::string_view content) {
    return bool(passes_pre_check(folder.write("data.dat", content).string()));
  }
  TemporaryFolder folder;
};

// Two curves of two points: 5 + K x N = 9 lines.
constexpr std::string_view two_curves = "-2\n2\n0 0\n1 1\n0 1\n1 0\nTime (s)\nValue\nTitle\n";

TEST_F(PreCheck, AcceptsExactlyTheLinesTheHeaderAsksForAndMore) {
  EXPECT_TRUE(passes(two_curves));
  EXPECT_TRUE(passes(std::string(two_curves) + "extra\nlines\n"));
  EXPECT_TRUE(passes("-2\n2\n0 0\n1 1\n0 1\n1 0\nTime (s)\nValue\nTitle")) << "no final newline";
}

TEST_F(PreCheck, CountsAndSkipsLinesThatEndInALoneCarriageReturn) {
  EXPECT_TRUE(passes("-2\r2\r0 0\r1 1\r0 1\r1 0\rTime (s)\rValue\rTitle\r"));
  EXPECT_TRUE(passes("-1\r\n2\r\n0 0\r1 1\nx\ny\nt\n")) << "both line ends in one file";
  // A stray carriage return splits a caption line: the next line now stands as a caption.
  EXPECT_FALSE(passes("-1\n2\n0 0\n1 1\nx\r5\ny\nt\n"));
}

TEST_F(PreCheck, RejectsOneLineTooFew) {
  EXPECT_FALSE(passes("-2\n2\n0 0\n1 1\n0 1\nTime (s)\nValue\nTitle\n"));
}

TEST_F(PreCheck, RejectsFilesOfFewerThanSixLines) {
  EXPECT_FALSE(passes("-1\n0\nx\ny\nt\n"));
  EXPECT_TRUE(passes("-1\n0\nx\ny\nt\nmore\n")) << "nothing to skip, lines 3 to 5 are text";
}

TEST_F(PreCheck, TestsCaptionLinesCaseSensitively) {
  const auto with_title = [](std::string_view title) {
    return "-1\n2\n0 0\n1 1\nx\ny\n" + std::string(title) + "\n";
  };
  EXPECT_FALSE(passes(with_title("1.5E+3")));
  EXPECT_FALSE(passes(with_title("  -12 ")));
  EXPECT_TRUE(passes(with_title("1.5e+3")));
  EXPECT_TRUE(passes(with_title("1.5D+3")));
  EXPECT_TRUE(passes(with_title("1,5")));
  EXPECT_TRUE(passes(with_title("x (m)")));
  EXPECT_TRUE(passes(with_title("")));
  EXPECT_TRUE(passes(with_title("     ")));
}

TEST_F(PreCheck, CatchesAHeaderThatDoesNotMatchTheBody) {
  // Three points declared, four present: the fourth is tested as the x caption.
  EXPECT_FALSE(passes("-1\n3\n0 0\n1 1\n2 2\n3 3\nx\ny\nt\n"));
  // A blank line in the block shifts it, so the last point meets the caption test.
  EXPECT_FALSE(passes("-1\n2\n0 0\n\n1 1\nx\ny\nt\n"));
}

TEST_F(PreCheck, RejectsHeadersThatAreNoIntegers) {
  EXPECT_FALSE(passes("-1.0\n2\n0 0\n1 1\nx\ny\nt\n"));
  EXPECT_FALSE(passes("-1\n2e0\n0 0\n1 1\nx\ny\nt\n"));
  EXPECT_FALSE(passes("minus one\n2\n0 0\n1 1\nx\ny\nt\n"));
}

TEST_F(PreCheck, LooksOnlyAtTheFirst255CharactersOfALine) {
  EXPECT_TRUE(looks_like_text(std::string(254, '1') + "x"));
  EXPECT_FALSE(looks_like_text(std::string(255, '1') + "x"));
}

TEST_F(PreCheck, RejectsAFileThatEndsBeforeItsCaptions) {
  // Blank lines before the header are passed over by the reads but counted as lines.
  EXPECT_FALSE(passes("\n\n\n-1\n2\n0 0\n1 1\nx\ny\n"));
}

TEST_F(PreCheck, ComputesTheHeaderProductIn64Bits) {
  // -65536 x 65536 wraps to 0 in 32 bits, which would skip nothing.
  EXPECT_FALSE(passes("-65536\n65536\nx\ny\nt\nmore\n"));
  EXPECT_TRUE(passes("2\n5\nx\ny\nt\nmore\n")) << "positive first number: nothing skipped";
}

TEST_F(PreCheck, RejectsWhatIsNoRegularFileWithoutOpeningIt) {
  EXPECT_FALSE(passes_pre_check((folder / "absent.dat").string()));
  EXPECT_FALSE(passes_pre_check(folder.path().string()));
  const auto fifo = folder / "pipe.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(passes_pre_check(fifo.string())) << "and returns: a FIFO has no writer here";
}

// Why the check refuses a file, as --explain shows it.
class PreCheckReason : public PreCheck {
 protected:
  std::string reason_for(std::string_view content) {
    return reason_for_path(folder.write("data.dat", content));
  }
  static std::string reason_for_path(const std::filesystem::path& path) {
    const auto checked = passes_pre_check(path.string(), Reasons::asked);
    EXPECT_FALSE(checked) << path;
    return checked.why_not();
  }
};

TEST_F(PreCheckReason, NamesWhatStandsWhereNoFileIs) {
  EXPECT_EQ(reason_for_path(folder / "absent.dat"), "no such file");
  EXPECT_EQ(reason_for_path(folder.path()), "a directory");
  ASSERT_EQ(mkfifo((folder / "pipe.dat").c_str(), 0600), 0);
  EXPECT_EQ(reason_for_path(folder / "pipe.dat"), "a FIFO");
  EXPECT_EQ(reason_for_path("/dev/null"), "a device");
  std::filesystem::create_symlink("nowhere.dat", folder / "dangling.dat");
  EXPECT_EQ(reason_for_path(folder / "dangling.dat"), "a link to a missing file");
}

TEST_F(PreCheckReason, CountsTheLinesTheFileHasAndNeeds) {
  EXPECT_EQ(reason_for(""), "0 lines, at least 6 are needed");
  EXPECT_EQ(reason_for("-1\n0\nx\ny\nt\n"), "5 lines, at least 6 are needed");
  EXPECT_EQ(reason_for("-1"), "1 line, at least 6 are needed");
  EXPECT_EQ(reason_for("-2\n3\n0 0\n1 1\n0 1\n1 0\nx\ny\nt\n"),
            "9 lines, at least 11 are needed: the header promises 2 curves of 3 points");
  EXPECT_EQ(reason_for("3\n-2\nx\ny\nt\nu\n"),
            "6 lines, at least 11 are needed: the header numbers 3 and -2 promise 6 data lines");
}

TEST_F(PreCheckReason, NamesALineLongerThanAnyDataLine) {
  EXPECT_EQ(reason_for(std::string(100000, '\0')),
            "line 1: longer than 65536 bytes, which no line of a data file is");
  EXPECT_EQ(reason_for("-1\n2\n0 0\n1 1\nx\ny\nt\n" + std::string(65537, 'z')),
            "line 8: longer than 65536 bytes, which no line of a data file is");
}

TEST_F(PreCheckReason, QuotesAHeaderValueThatIsNoIntegerWithItsLine) {
  EXPECT_EQ(reason_for("-1\n1.5\n0 0\n1 1\nx\ny\nt\n"),
            "line 2: \"1.5\" is not an integer (the number of points)");
  // Blank lines count; the value is shown as written, the slash inside it too.
  EXPECT_EQ(reason_for("\n  \nn/a 1\n2\n0 0\n1 1\nx\ny\nt\n"),
            "line 3: \"n/a\" is not an integer (minus the number of curves)");
  EXPECT_EQ(reason_for("+-1\n2\n0 0\n1 1\nx\ny\nt\n"),
            "line 1: \"+-1\" is not an integer (minus the number of curves)");
  EXPECT_EQ(reason_for("-1\r\x1b[2J\r0 0\r1 1\rx\ry\rt\r"),
            "line 2: \"\\x1B[2J\" is not an integer (the number of points)")
      << "lines end at lone carriage returns; control characters are not written out";
  EXPECT_EQ(
      reason_for(std::string(100, '7') + ".5\n2\n0 0\n1 1\nx\ny\nt\n"),
      "line 1: \"" + std::string(40, '7') + "\"... is not an integer (minus the number of curves)");
  EXPECT_EQ(reason_for("0*1\n2\n0 0\n1 1\nx\ny\nt\n"),
            "line 1: the repeat count of \"0*1\" is not from 1 to 200000000 (minus the number of "
            "curves)");
  EXPECT_EQ(reason_for("\n\n\n\n\n\n"),
            "the file ends after line 6, before minus the number of curves");
}

TEST_F(PreCheckReason, QuotesACaptionLineMadeOfNumberCharacters) {
  EXPECT_EQ(
      reason_for("-1\n2\n0 0\n1 1\n1.5E+3  \ny\nt\n"),
      "line 5: the x caption \"1.5E+3\" is a number: the header promises 1 curve of 2 points");
  // Four points where the header promises three: the fourth stands where the x caption
  // should.
  EXPECT_EQ(reason_for("-1\n3\n0 0\n1 1\n2 2\n3 3\nx\ny\nt\n"),
            "line 6: the x caption \"3 3\" is a number: the header promises 1 curve of 3 points");
  EXPECT_EQ(
      reason_for("2\n5\nx\n\n7\nmore\n"),
      "line 5: the title \"7\" is a number: the header numbers 2 and 5 promise no data lines");
}

TEST_F(PreCheckReason, SaysWhereTheFileEnds) {
  // Blank lines before the header count as lines but hold no value.
  EXPECT_EQ(reason_for("\n\n\n-1\n2\n0 0\n1 1\nx\ny\n"),
            "the file ends after line 9, before the title");
  EXPECT_EQ(reason_for("\n\n\n\n\n-1\n4\n0 0\n1 1\n2 2\n"),
            "the file ends after line 10, before the data lines end: the header promises 1 curve "
            "of 4 points");
}

TEST_F(PreCheckReason, GivesNoReasonWhenTheFilePasses) {
  const auto checked =
      passes_pre_check(folder.write("data.dat", two_curves).string(), Reasons::asked);
  EXPECT_TRUE(checked);
  EXPECT_EQ(checked.why_not(), "");
}

}  // namespace
}  // namespace curvist
