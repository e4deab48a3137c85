#include "listdirected/ListDirectedInput.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "listdirected/NumberParsing.hpp"

namespace curvist {
namespace {

// Reads one point (two reals) from the start of `text`, as a data line is read.
std::optional<std::array<double, 2>> point_from(std::string_view text) {
  RecordInput input{text};
  std::array<double, 2> point{};
  if (!read_reals(input, point)) return std::nullopt;
  return point;
}

using Point = std::array<double, 2>;

TEST(ListDirectedInput, ReadsRealsInEveryDecimalAndExponentForm) {
  // Each expectation was checked against gfortran's list-directed READ.
  EXPECT_EQ(point_from("1.5e-3 2.0D0"), (Point{1.5e-3, 2.0}));
  EXPECT_EQ(point_from("1.5+3 1.5-3"), (Point{1500.0, 1.5e-3}));
  EXPECT_EQ(point_from("1.5D+3 1q5"), (Point{1500.0, 1e5}));
  EXPECT_EQ(point_from(".5 5."), (Point{0.5, 5.0}));
  EXPECT_EQ(point_from("+.5e+2 -5.E-1"), (Point{50.0, -0.5}));
  EXPECT_EQ(point_from("1+3 2"), (Point{1000.0, 2.0}));
  EXPECT_EQ(point_from("1.0e-400 1e400"), (Point{0.0, std::numeric_limits<double>::infinity()}));
  EXPECT_EQ(point_from("0.1 3"), (Point{0.1, 3.0}));
}

TEST(ListDirectedInput, ReadsDExponentsOnDataLinesAsEachValueAlone) {
  // Data lines with D exponents take a quicker way than lone values: the values must
  // still be the same to the last bit, out-of-range and very long ones included.
  const std::string long_mantissa = "0." + std::string(70, '3') + "1";
  for (const std::string& x : std::vector<std::string>{
           "0.1234567D0", "-9.87654321098765432d-12", "2.5D+3", "-.5d0", "1.7976931348623157D308",
           "1D400", "1d-400", "4.9406564584124654D-324", "123456789012345678901234567890D-5",
           long_mantissa + "D1"}) {
    for (const std::string separator : {" ", ",", " , ", "\t"}) {
      const std::string line = x + separator + x + "\n";
      const auto point = point_from(line);
      const auto alone = parse_real(x);
      ASSERT_TRUE(point) << line;
      ASSERT_TRUE(alone) << x;
      EXPECT_EQ(std::memcmp(&(*point)[0], &*alone, sizeof(double)), 0) << line;
      EXPECT_EQ(std::memcmp(&(*point)[1], &*alone, sizeof(double)), 0) << line;
    }
  }
  for (const char* line : {"1D 2", "1D+ 2", "1.5D3x 2", "1.5D3.5 2", "1.5e3D2 2", "1.5d-3d2 2"})
    EXPECT_FALSE(point_from(line)) << line;
}

TEST(ListDirectedInput, ReadsInfinityAndNotANumberInAnyCase) {
  EXPECT_EQ(point_from("Inf -inf"), (Point{INFINITY, -INFINITY}));
  EXPECT_EQ(point_from("Infinity INF"), (Point{INFINITY, INFINITY}));
  // Inside the parentheses anything but a separator or a closing parenthesis.
  for (const char* line :
       {"NaN nan(abc)", "NaN(-1) +nan(a.b)", "NaN() -NAN(a(b)", "nan(a*'\"b) 2*NaN(x)"}) {
    const auto not_numbers = point_from(line);
    ASSERT_TRUE(not_numbers) << line;
    EXPECT_TRUE(std::isnan((*not_numbers)[0])) << line;
    EXPECT_TRUE(std::isnan((*not_numbers)[1])) << line;
  }
  for (const char* line : {"NaN(a)b 1", "NaN(a)) 1", "NaN( 1", "NaN(a b) 1", "NaN(a,b) 1",
                           "NaN(a/b) 1", "Inf(a) 1", "NaNa 1", "+-NaN(a) 1"})
    EXPECT_FALSE(point_from(line)) << line;
}

TEST(ListDirectedInput, RefusesWhatIsNoReal) {
  for (const char* line :
       {". 1", "- 1", "+ 1", "e5 1", "1.5e 1", "1.5e+ 1", "infin 1", "infinity2 1", "1.5abc 1",
        "0x10 1", "1.5.5 1", "1e5.5 1", "1d 2", "'1' 2", "T 1", "1 !x", "+-1 2", "1.5+ 1"})
    EXPECT_FALSE(point_from(line)) << line;
}

TEST(ListDirectedInput, SeparatesValuesByBlanksTabsOrOneComma) {
  EXPECT_EQ(point_from("1,2"), (Point{1, 2}));
  EXPECT_EQ(point_from("  1 ,  2  "), (Point{1, 2}));
  EXPECT_EQ(point_from("1\t2"), (Point{1, 2}));
  EXPECT_EQ(point_from("1;2"), (Point{1, 2}));
  EXPECT_EQ(point_from("1 2\r\n"), (Point{1, 2}));
}

TEST(ListDirectedInput, PlainLinesEndTheirValuesWhereTheScannerDoes) {
  EXPECT_EQ(point_from("1 2,junk"), (Point{1, 2})) << "the rest of the record is not read";
  EXPECT_EQ(point_from("-0.5\t.5e1;3"), (Point{-0.5, 5}));
  EXPECT_EQ(point_from("1 2/"), (Point{1, 2}));
  EXPECT_EQ(point_from("1\n2"), (Point{1, 2})) << "y from the next record";
  EXPECT_EQ(point_from("1.5 2.5D1"), (Point{1.5, 25}));
  EXPECT_EQ(point_from("1 -inf"), (Point{1, -INFINITY}));
  for (const char* line : {"1.5 2.5x", "1.5x 2", "1*", "1 2*", "1.5 ,", "1,\n,2"})
    EXPECT_FALSE(point_from(line)) << line;
}

TEST(ListDirectedInput, ExpandsRepeatCounts) {
  EXPECT_EQ(point_from("3*1.0"), (Point{1, 1}));
  EXPECT_EQ(point_from("3*1.0,2*2"), (Point{1, 1}));
  EXPECT_EQ(point_from("1*4 5"), (Point{4, 5}));
  // Leading zeros in any number; the count itself from 1 to 200,000,000.
  EXPECT_EQ(point_from("0000000002*0"), (Point{0, 0}));
  EXPECT_EQ(point_from(std::string(40, '0') + "1*4 5"), (Point{4, 5}));
  EXPECT_EQ(point_from("200000000*7"), (Point{7, 7}));
  EXPECT_EQ(point_from("0200000000*7"), (Point{7, 7}));
  for (const char* line : {"0*1 1", "0000*1 1", "200000001*7", "999999999*7", "2147483648*7",
                           "18446744073709551617*7", "99999999999999999999999999*7"})
    EXPECT_FALSE(point_from(line)) << line;
}

TEST(ListDirectedInput, FailsWhereAnItemIsLeftWithoutValue) {
  // Fortran leaves such an item unchanged; here it would hold nothing meaningful.
  EXPECT_FALSE(point_from("1,,2"));
  EXPECT_FALSE(point_from("1 /"));
  EXPECT_FALSE(point_from("1,/"));
  EXPECT_FALSE(point_from(",1 2"));
  EXPECT_FALSE(point_from("2* 1"));
  EXPECT_FALSE(point_from("1"));
  EXPECT_FALSE(point_from(""));
}

TEST(ListDirectedInput, SaysWhichItemGotNoValueWhyAndWhere) {
  const struct {
    std::string_view text;
    ReadFault fault;
    std::size_t item;
    std::size_t position;
    std::string_view value;
  } cases[] = {
      // The value ends at the slash; the text shown goes on to the blank, as written.
      {"1 n/a 3\n", ReadFault::unreadable_value, 1, 2, "n/a"},
      {"\n\n  1.5e3x,2\n", ReadFault::unreadable_value, 0, 4, "1.5e3x"},
      {"1,,2\n", ReadFault::empty_value, 1, 2, ""},
      {"2*\n", ReadFault::empty_value, 0, 0, ""},
      {"1 /\n", ReadFault::slash, 1, 2, ""},
      {"1\n\n", ReadFault::end_of_file, 1, 3, ""},
      {"1 0*5\n", ReadFault::bad_repeat_count, 1, 2, "0*5"},
      {"200000001*5\n", ReadFault::bad_repeat_count, 0, 0, "200000001*5"},
  };
  for (const auto& expected : cases) {
    RecordInput input{expected.text};
    std::array<double, 2> point{};
    const ReadStatus status = read_reals(input, point);
    SCOPED_TRACE(testing::PrintToString(std::string(expected.text)));
    EXPECT_FALSE(status);
    EXPECT_EQ(status.fault, expected.fault);
    EXPECT_EQ(status.item, expected.item);
    EXPECT_EQ(status.position, expected.position);
    EXPECT_EQ(status.value, expected.value);
  }
  RecordInput header{"-1.0\n"};
  std::array<std::int32_t, 1> first{};
  const ReadStatus integer = read_integers(header, first);
  EXPECT_EQ(integer.fault, ReadFault::unreadable_value) << "a real is no integer";
  EXPECT_EQ(integer.value, "-1.0");
}

TEST(ListDirectedInput, SaysWhereTheLastValueOfASuccessfulReadStood) {
  // The quick way for plain data lines and the full scanner tell the same.
  for (const auto& [text, position] :
       std::initializer_list<std::pair<std::string_view, std::size_t>>{
           {"1 2.5\n", 2}, {"1\n\n 2\n", 4}, {"2*7\n", 2}, {"+1 2\n", 3}}) {
    RecordInput input{text};
    std::array<double, 2> point{};
    const ReadStatus status = read_reals(input, point);
    EXPECT_TRUE(status) << text;
    EXPECT_EQ(status.item, 1u) << text;
    EXPECT_EQ(status.position, position) << text;
  }
}

TEST(ListDirectedInput, SlashEndsTheValuesOfTheRecordOnceTheItemsAreRead) {
  EXPECT_EQ(point_from("1 2/3"), (Point{1, 2}));
}

TEST(ListDirectedInput, EachReadStartsOnANewRecordAndPassesOverBlankOnes) {
  RecordInput input{"1 2 3\n\n   \n4\n5 99\n6,7\n"};
  Point point{};
  ASSERT_TRUE(read_reals(input, point));
  EXPECT_EQ(point, (Point{1, 2})) << "the 3 is left unread";
  ASSERT_TRUE(read_reals(input, point));
  EXPECT_EQ(point, (Point{4, 5})) << "blank records passed over, y from the next record";
  ASSERT_TRUE(read_reals(input, point));
  EXPECT_EQ(point, (Point{6, 7}));
  EXPECT_FALSE(read_reals(input, point)) << "end of file";
}

std::vector<std::string> text_values_of(std::string_view text) {
  RecordInput input{text};
  std::vector<std::string> values;
  while (auto value = read_text_value(input)) values.push_back(*value);
  return values;
}

std::vector<std::string> records_of(std::string_view text) {
  RecordInput input{text};
  std::vector<std::string> records;
  while (const auto record = read_record(input)) records.emplace_back(*record);
  return records;
}

TEST(Records, EndAtALineFeedOrACarriageReturnThatNoLineFeedFollows) {
  using Records = std::vector<std::string>;
  const struct {
    std::string_view text;
    Records records;
  } cases[] = {
      {"a\nb\r\nc", {"a", "b", "c"}},
      {"a\rb\rc\r", {"a", "b", "c"}},
      {"a\r\nb\r\r\nc\n", {"a", "b", "", "c"}},
      {"\r\r\n", {"", ""}},
      {"x\n\r", {"x", ""}},
      {"1 2\r3 4\n", {"1 2", "3 4"}},
      {"", {}},
      {"\n", {""}},
  };
  for (const auto& [text, records] : cases) {
    EXPECT_EQ(records_of(text), records) << testing::PrintToString(std::string(text));
    // Counting, reading and line numbers agree about where the lines are.
    EXPECT_EQ(count_records(text), std::int64_t(records.size()));
    EXPECT_EQ(line_number_at(text, text.size()),
              std::int64_t(records.size()) + (ends_inside_line(text) ? 0 : 1));
  }
}

TEST(Records, CountALineEndSplitBetweenTwoStretchesOnce) {
  constexpr std::string_view text = "a\r\nb\rc";
  EXPECT_EQ(count_line_ends(text, 0, 2), 0) << "the carriage return belongs to the line feed";
  EXPECT_EQ(count_line_ends(text, 2, 4), 1);
  EXPECT_EQ(count_line_ends(text, 4, text.size()), 1);
  EXPECT_EQ(line_number_at(text, 4), 2);
  EXPECT_EQ(line_number_at(text, 6), 3);
}

TEST(ListDirectedInput, ReadsOldMacLinesAndStrayCarriageReturnsAsLineEnds) {
  RecordInput input{"1 2 9\r3 4\n5\r6\n"};
  Point point{};
  ASSERT_TRUE(read_reals(input, point));
  EXPECT_EQ(point, (Point{1, 2}));
  ASSERT_TRUE(read_reals(input, point)) << "gfortran would skip 3 4 up to the line feed";
  EXPECT_EQ(point, (Point{3, 4}));
  ASSERT_TRUE(read_reals(input, point));
  EXPECT_EQ(point, (Point{5, 6})) << "y from the next line, as across a line feed";
  EXPECT_TRUE(at_end(input));

  RecordInput header{"-1\r2\r"};
  EXPECT_EQ(read_integer(header), -1);
  EXPECT_EQ(read_integer(header), 2);
  // A name the program quotes keeps its carriage return: the list names the file whole.
  EXPECT_EQ(text_values_of("'a\rb.dat'\nc.dat\rd.dat\n"),
            (std::vector<std::string>{"a\rb.dat", "c.dat", "d.dat"}));
}

TEST(ListDirectedInput, ReadsIntegersWithoutDecimalPointOrExponent) {
  const auto integer_from = [](std::string_view text) {
    RecordInput input{text};
    return read_integer(input);
  };
  EXPECT_EQ(integer_from("-1"), -1);
  EXPECT_EQ(integer_from("+5"), 5);
  EXPECT_EQ(integer_from("007"), 7);
  EXPECT_EQ(integer_from("3*7"), 7);
  EXPECT_EQ(integer_from("5,"), 5);
  EXPECT_EQ(integer_from("5/"), 5);
  EXPECT_EQ(integer_from("  \n\n 42 junk"), 42);
  EXPECT_EQ(integer_from("2147483647"), 2147483647);
  EXPECT_EQ(integer_from("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(integer_from("0000000002*+3"), 3);
  EXPECT_EQ(integer_from(std::string(30, '0') + "12"), 12);
  for (const char* text : {"-1.0", "1e3", "5.", "5x", "-", "2147483648", "-2147483649", "/", ",5",
                           "2*", "abc", "1.5+3", "", "+-1", "-+1", "--1", "++1", "1*+-2", "2*-+2"})
    EXPECT_FALSE(integer_from(text)) << text;
}

TEST(ListDirectedInput, ReadsTwoIntegersOfOneStatementFromOneOrTwoRecords) {
  std::array<std::int32_t, 2> header{};
  RecordInput same_record{"-2 3\n5\n"};
  ASSERT_TRUE(read_integers(same_record, header));
  EXPECT_EQ(header, (std::array<std::int32_t, 2>{-2, 3}));
  EXPECT_EQ(read_integer(same_record), 5);
  RecordInput two_records{"-2\n3\n"};
  ASSERT_TRUE(read_integers(two_records, header));
  EXPECT_EQ(header, (std::array<std::int32_t, 2>{-2, 3}));
}

TEST(ListDirectedInput, ReadsTextValuesLikeAListDirectedCharacterRead) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(text_values_of("my data.dat\n'my data.dat'\n"), (Names{"my", "my data.dat"}));
  EXPECT_EQ(text_values_of("\"a\"\"b.dat\" x\n'it''s.dat'\n"), (Names{"a\"b.dat", "it's.dat"}));
  EXPECT_EQ(text_values_of("a,b\na/b\na\tb\na;b\n"), (Names{"a", "a", "a", "a"}));
  EXPECT_EQ(text_values_of("\n   \n  x.dat\n"), (Names{"x.dat"}));
  EXPECT_EQ(text_values_of("2*x.dat\n*x\na'b\n2*'q r'\n"), (Names{"x.dat", "*x", "a'b", "q r"}));
  EXPECT_EQ(text_values_of("'unter\nminated'\nnext\n"), (Names{"unterminated", "next"}));
  EXPECT_EQ(text_values_of("last"), (Names{"last"}));
  EXPECT_EQ(text_values_of("0000000001*b.dat\n"), (Names{"b.dat"}));
  EXPECT_EQ(text_values_of("a.dat\n200000001*b.dat\nc.dat\n"), (Names{"a.dat"}))
      << "a repeat count beyond the limit ends the list like any malformed value";
}

TEST(ListDirectedInput, PassesOverRecordsThatHoldNoTextValue) {
  EXPECT_EQ(text_values_of(",a\n / b\n3*\nc.dat\n"), (std::vector<std::string>{"c.dat"}));
}

TEST(ListDirectedInput, EndsTextValuesAtAMalformedQuotedValue) {
  EXPECT_EQ(text_values_of("a\n'a'b\nc\n"), (std::vector<std::string>{"a"}));
}

TEST(NumberParsing, ParsesWholeValuesOnly) {
  EXPECT_EQ(parse_real("2.5d-1"), 0.25);
  EXPECT_EQ(parse_real("-2.5-1"), -0.25);
  EXPECT_EQ(parse_real("4e-320"), 4e-320) << "subnormal values are kept";
  EXPECT_FALSE(parse_real("2.5 "));
  EXPECT_FALSE(parse_real(""));
  EXPECT_EQ(parse_integer("+0"), 0);
  EXPECT_FALSE(parse_integer("++1"));
}

}  // namespace
}  // namespace curvist
