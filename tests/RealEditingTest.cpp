#include "fortranformat/RealEditing.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FormatText.hpp"
#include "FortranReference.hpp"
#include "fortranformat/IntegerEditing.hpp"

namespace curvist::fortranformat {
namespace {

constexpr RealEdit whole_number{RealEditKind::F, 8, 0};
constexpr RealEdit general(int digits) { return {RealEditKind::G, digits + 6, digits}; }

TEST(RealEditing, WritesWholeNumbersWithTheirPointRightAligned) {
  EXPECT_EQ(edit_real(20, whole_number), "     20.");
  EXPECT_EQ(edit_real(-5, whole_number), "     -5.");
  EXPECT_EQ(edit_real(0.5, whole_number), "      0.");  // tie to even
  EXPECT_EQ(edit_real(2.5, whole_number), "      2.");
  EXPECT_EQ(edit_real(-0.3, whole_number), "     -0.");
  EXPECT_EQ(edit_real(1e8, whole_number), "********");
  EXPECT_EQ(edit_real(-9999999, whole_number), "********");
}

TEST(RealEditing, GeneralFormChoosesFixedOrExponentFormAfterRounding) {
  EXPECT_EQ(edit_real(0.25, general(2)), "0.25    ");
  EXPECT_EQ(edit_real(-0.25, general(2)), "-.25    ");
  EXPECT_EQ(edit_real(0.125, general(2)), "0.12    ");
  EXPECT_EQ(edit_real(2.5, general(2)), " 2.5    ");
  EXPECT_EQ(edit_real(99.5, general(2)), "0.10E+03");
  EXPECT_EQ(edit_real(0.0994, general(2)), "0.99E-01");
  EXPECT_EQ(edit_real(0.0995, general(2)), "0.10    ");
  EXPECT_EQ(edit_real(2e5, general(2)), "0.20E+06");
  EXPECT_EQ(edit_real(-2e5, general(2)), "-.20E+06");
  EXPECT_EQ(edit_real(1234567, general(7)), " 1234567.    ");
  EXPECT_EQ(edit_real(0, general(2)), " 0.0    ");
  EXPECT_EQ(edit_real(-0.0, general(3)), "-0.00    ");
}

TEST(RealEditing, ExponentsOfThreeDigitsLoseTheirLetter) {
  EXPECT_EQ(edit_real(1e100, general(2)), "0.10+101");
  EXPECT_EQ(edit_real(-1e100, general(2)), "-.10+101");
  EXPECT_EQ(edit_real(-1e-100, general(2)), "-.10E-99");
  EXPECT_EQ(edit_real(std::numeric_limits<double>::denorm_min(), general(2)), "0.49-323");
}

TEST(RealEditing, ValuesThatAreNotFinite) {
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(edit_real(infinity, whole_number), "Infinity");
  EXPECT_EQ(edit_real(-infinity, whole_number), "    -Inf");
  EXPECT_EQ(edit_real(-infinity, general(3)), "-Infinity");
  EXPECT_EQ(edit_real(std::nan(""), general(2)), "     NaN");
}

TEST(FormatText, ReadsAndWritesTheLabelFormats) {
  EXPECT_EQ(parse_format_text("(f8.0)"), whole_number);
  EXPECT_EQ(parse_format_text("(G13.7)   "), general(7));
  EXPECT_EQ(format_text(general(2)), "(g8.2)");
  EXPECT_EQ(format_text(general(16)), "(g22.16)");
  EXPECT_EQ(format_text(whole_number), "(f8.0)");
  EXPECT_FALSE(parse_format_text("(e8.2)"));
  EXPECT_FALSE(parse_format_text("(g8)"));
  EXPECT_FALSE(parse_format_text("g8.2"));
  EXPECT_FALSE(parse_format_text("(g99999999999.2)"));
}

TEST(IntegerEditing, RightAlignsAndOverflowsToAsterisks) {
  EXPECT_EQ(edit_integer(800, 4), " 800");
  EXPECT_EQ(edit_integer(9999, 4), "9999");
  EXPECT_EQ(edit_integer(10000, 4), "****");
  EXPECT_EQ(edit_integer(-999, 4), "-999");
  EXPECT_EQ(edit_integer(-1000, 4), "****");
}

// One reference line: the 16 hexadecimal digits of a value, then "format:field" entries
// separated by vertical bars. Returns the number of entries compared.
int compare_reference_line(const std::string& line) {
  std::istringstream entries(line);
  std::string entry;
  std::getline(entries, entry, '|');
  const auto bits = std::stoull(entry, nullptr, 16);
  const double value = std::bit_cast<double>(static_cast<std::uint64_t>(bits));
  int compared = 0;
  while (std::getline(entries, entry, '|')) {
    const auto colon = entry.find(':');
    const auto format = entry.substr(0, colon);
    const auto expected = entry.substr(colon + 1);
    const auto edit = parse_format_text(format);
    EXPECT_TRUE(edit) << format;
    if (!edit) continue;
    EXPECT_EQ(edit_real(value, *edit), expected) << format << " of " << line.substr(0, 16);
    ++compared;
  }
  return compared;
}

TEST(RealEditing, MatchesTheGfortranReferenceTable) {
  std::ifstream table(std::string(CURVIST_SOURCE_DIR) + "/tests/reference/labels-table.txt");
  ASSERT_TRUE(table) << "reference table missing";
  int lines = 0;
  int compared = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty()) continue;
    ++lines;
    compared += compare_reference_line(line);
  }
  EXPECT_GT(lines, 2000);
  EXPECT_EQ(compared, lines * 5);
}

// Many more values through every format, against the gfortran installed here.
TEST(RealEditing, MatchesGfortranOnRandomValuesInEveryFormat) {
  const auto program = testing::built_reference_program("labels");
  if (!program) GTEST_SKIP() << "no gfortran";

  std::mt19937_64 generator(7);
  std::uniform_real_distribution<double> mantissa(1, 10);
  std::uniform_real_distribution<double> exponent(-25, 25);
  std::string values;
  for (int index = 0; index < 6000; ++index) {
    double value = 0;
    if (index % 3 == 0)
      value = std::bit_cast<double>(generator());
    else
      value = mantissa(generator) * std::pow(10.0, std::floor(exponent(generator)));
    if (index % 2) value = -value;
    char hex[18];
    std::snprintf(hex, sizeof hex, "%016llX\n",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
    values += hex;
  }
  std::istringstream fields(testing::reference_output(*program, values));
  int compared = 0;
  for (std::string line; std::getline(fields, line);) compared += compare_reference_line(line);
  EXPECT_EQ(compared, 6000 * 16);
}

}  // namespace
}  // namespace curvist::fortranformat
