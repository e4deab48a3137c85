#include "PreCheck.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;

class PreCheck : public ::testing::Test {
 protected:
  bool passes(std::string_view content) {
    return passes_pre_check(folder.write("data.dat", content).string());
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

}  // namespace
}  // namespace curvist
