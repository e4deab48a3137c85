#include <gtest/gtest.h>

#include <string>

#include "Plot.hpp"
#include "plot/TickLabels.hpp"

namespace curvist {
namespace {

std::string purged(const std::string& text, std::size_t length = 20) {
  std::string field = text;
  field.resize(length, ' ');
  PLOTPACK::PURGE(field);
  return field;
}

TEST(PURGE, RemovesEscapePairsWithTheBlanksAroundThem) {
  EXPECT_EQ(purged("cm\\u-1\\d"), "cm-1                ");
  EXPECT_EQ(purged("x \\u2\\d"), "x2                  ");
  EXPECT_EQ(purged("\\ga (rad)"), "a (rad)             ");
  EXPECT_EQ(purged("A \\gb B"), "Ab B                ");
  EXPECT_EQ(purged("  \\gb B"), "b B                 ");
}

TEST(PURGE, LeavesOtherBackslashesAndBlanksAlone) {
  EXPECT_EQ(purged("\\U2\\D \\G a\\b"), "\\U2\\D \\G a\\b        ");
  EXPECT_EQ(purged("   speed"), "   speed            ");
  EXPECT_EQ(purged("\\\\uu"), std::string(20, ' '));
  // A pair cut at the end of the field is no pair.
  EXPECT_EQ(purged("abc\\", 4), "abc\\");
  EXPECT_EQ(purged("ab\\u", 4), "ab  ");
}

TEST(TickLabels, TidiesTheExponentOnce) {
  EXPECT_EQ(plot::tidy_label("0.20E+06"), "0.2E6");
  EXPECT_EQ(plot::tidy_label("0.15E-03"), "0.15E-3");
  EXPECT_EQ(plot::tidy_label("0.10E-02"), "0.1E-2");
  EXPECT_EQ(plot::tidy_label("0.100E+06"), "0.10E6");
  EXPECT_EQ(plot::tidy_label("0.10+101"), "0.10+101");
  EXPECT_EQ(plot::tidy_label("20."), "20.");
  EXPECT_EQ(plot::tidy_label("0.25"), "0.25");
}

TEST(TickLabels, WholeNumberStepsGetTheFixedFormatOthersTheGeneralOne) {
  using fortranformat::RealEdit;
  using fortranformat::RealEditKind;
  EXPECT_EQ(plot::label_format(1, 0, 10), (RealEdit{RealEditKind::F, 8, 0}));
  EXPECT_EQ(plot::label_format(10000, 0, 1e5), (RealEdit{RealEditKind::F, 8, 0}));
  EXPECT_EQ(plot::label_format(0.1, -0.0167, 0.5167), (RealEdit{RealEditKind::G, 8, 2}));
  EXPECT_EQ(plot::label_format(50000, 0, 1e6), (RealEdit{RealEditKind::G, 8, 2}));
  // Narrow ranges far from zero need more digits, up to 16.
  EXPECT_EQ(plot::label_format(1e-2, 1000, 1000.05), (RealEdit{RealEditKind::G, 13, 7}));
  EXPECT_EQ(plot::label_format(1e-20, 1, 1 + 1e-19), (RealEdit{RealEditKind::G, 22, 16}));
}

TEST(TickLabels, LabelsAreNeverCut) {
  const fortranformat::RealEdit widest{fortranformat::RealEditKind::G, 22, 16};
  EXPECT_EQ(plot::label_text(1000.0001, widest), "1000.000100000000");
  EXPECT_EQ(plot::label_text(-2e5, {fortranformat::RealEditKind::G, 8, 2}), "-.2E6");
}

}  // namespace
}  // namespace curvist
