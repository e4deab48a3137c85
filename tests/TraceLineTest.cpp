#include "trace/TraceLine.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace curvist {
namespace {

TEST(TraceLine, QuotesTextsAndEscapesBackslashAndQuote) {
  EXPECT_EQ(TraceLine("draw_text").quoted("a \"b\" \\u ").text(), R"(draw_text "a \"b\" \\u ")");
}

TEST(TraceLine, WritesFloatsAsTheShortestTextThatReadsBack) {
  EXPECT_EQ(TraceLine("move_to").number(0.1).number(100.0).number(-2.5).text(),
            "move_to 0.1 100 -2.5");
  // 0.1f widened would print 0.10000000149011612; as a 32-bit value it is 0.1.
  EXPECT_EQ(TraceLine("PGSCH").number(0.1f).number(1.5f).text(), "PGSCH 0.1 1.5");
  EXPECT_EQ(TraceLine("x").number(std::numeric_limits<double>::max()).text(),
            "x 1.7976931348623157e+308");
}

TEST(TraceLine, WritesResultsAfterAnArrow) {
  EXPECT_EQ(TraceLine("get_font_info").results().number(8).number(12).text(),
            "get_font_info -> 8 12");
}

}  // namespace
}  // namespace curvist
