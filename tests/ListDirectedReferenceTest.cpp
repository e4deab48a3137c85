// List-directed reading against gfortran's runtime, the reference: thousands of hard
// lines (signs, repeat counts, exponent forms, NaN with parentheses, separators, slashes,
// null values) read by both as one integer, two integers and two reals. Curvist must
// read the same values where the runtime reads every item, and fail where the runtime
// fails or leaves an item without a value. Carriage returns and NUL bytes are left out:
// Curvist reads them differently on purpose.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FortranReference.hpp"
#include "listdirected/ListDirectedInput.hpp"

namespace curvist {
namespace {

// What one read gave: nothing when it failed or left an item without a value, else the
// items as text (integers in decimal, reals as their 64-bit pattern in hexadecimal, any
// NaN as NaN).
using Outcome = std::optional<std::vector<std::string>>;

std::string hexadecimal(double value) {
  if (std::isnan(value)) return "NaN";
  char text[17];
  std::snprintf(text, sizeof text, "%016llX",
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
  return text;
}

// One read of the Fortran program's output: "0 1 -" is status, then the items.
Outcome reference_outcome(const std::string& field) {
  std::istringstream words(field);
  int status = 1;
  words >> status;
  std::vector<std::string> items;
  for (std::string item; words >> item;) {
    if (item == "-") return std::nullopt;
    // The runtime writes a NaN's pattern; any NaN is the same value here.
    if (item.size() == 16 && std::isnan(std::bit_cast<double>(std::stoull(item, nullptr, 16))))
      item = "NaN";
    items.push_back(item);
  }
  if (status != 0) return std::nullopt;
  return items;
}

Outcome integers_read(std::string_view line, std::size_t count) {
  std::array<std::int32_t, 2> values{};
  RecordInput input{line};
  if (!read_integers(input, std::span(values.data(), count))) return std::nullopt;
  std::vector<std::string> items;
  for (std::size_t item = 0; item < count; ++item) items.push_back(std::to_string(values[item]));
  return items;
}

Outcome reals_read(std::string_view line) {
  std::array<double, 2> values{};
  RecordInput input{line};
  if (!read_reals(input, values)) return std::nullopt;
  return std::vector<std::string>{hexadecimal(values[0]), hexadecimal(values[1])};
}

// The pieces of `joined`, written one after another with a vertical bar between them.
std::vector<std::string> pieces_of(std::string_view joined) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t bar = joined.find('|', start);
    pieces.emplace_back(joined.substr(start, bar - start));
    if (bar == std::string_view::npos) return pieces;
    start = bar + 1;
  }
}

// Lines put together from the pieces where list-directed readers tend to differ. Empty
// pieces make a plain value more likely.
std::vector<std::string> hard_lines() {
  const auto repeats = pieces_of(
      "|||2*|0*|1*|01*|3*|0000000002*|200000000*|200000001*|99999999999999999999*|"
      "0000000000000000000000000000001*");
  const auto signs = pieces_of("|||+|-|+-|-+|++|--");
  const auto bodies = pieces_of(
      "0|1|12|007|2147483647|2147483648|1.5|.5|5.|.|1.5e3|1.5E+3|1.5d-3|2.0D0|1.5q2|1.5+3|"
      "1.5-3|1+3|1e|1.5e+|1.5.5|1e5.5|1e400|1e-400|4e-320|0x10|inf|Inf|INFINITY|infinity|infin|"
      "nan|NaN()|NaN(-1)|nan(a.b)|NaN(()|NaN(a(b)|NaN(a)b|NaN(a))|NaN(|nan(a*b)|NaN(a'b)|"
      "Inf(a)|NaNa|abc|T|'1'|\"1\"|n/a|1.5abc|e5|D3|12345678901234567890|9007199254740993|"
      "0.1000000000000000055511151231257827021181583404541015625");
  const auto separators = pieces_of(" | |,|, | , |;|\t| /|/|,,|, ,|  ");
  std::mt19937 random(20240612);
  const auto pick = [&](const std::vector<std::string>& pieces) {
    return pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
  };
  std::vector<std::string> lines;
  for (int line_index = 0; line_index < 4000; ++line_index) {
    std::string line = line_index % 7 == 0 ? pick(separators) : "";
    const int tokens = std::uniform_int_distribution<int>(1, 3)(random);
    for (int token = 0; token < tokens; ++token) {
      if (token > 0) line += pick(separators);
      line += pick(repeats) + pick(signs) + pick(bodies);
    }
    if (line_index % 5 == 0) line += pick(separators);
    lines.push_back(line);
  }
  return lines;
}

TEST(ListDirectedReference, ReadsNumbersAsGfortransRuntimeDoes) {
  const auto program = testing::built_reference_program("list-directed");
  if (!program) GTEST_SKIP() << "no gfortran";
  const std::vector<std::string> lines = hard_lines();
  std::string input;
  for (const auto& line : lines) input += line + '\n';
  std::istringstream reads(testing::reference_output(*program, input));

  std::size_t compared = 0;
  int accepted = 0;
  for (std::string output; std::getline(reads, output) && compared < lines.size(); ++compared) {
    const std::string& line = lines[compared];
    std::vector<std::string> fields;
    std::istringstream split(output);
    for (std::string field; std::getline(split, field, '|');) fields.push_back(field);
    ASSERT_EQ(fields.size(), 3u) << output;
    const Outcome reference_reals = reference_outcome(fields[2]);
    EXPECT_EQ(integers_read(line, 1), reference_outcome(fields[0])) << "one integer: " << line;
    EXPECT_EQ(integers_read(line, 2), reference_outcome(fields[1])) << "two integers: " << line;
    EXPECT_EQ(reals_read(line), reference_reals) << "two reals: " << line;
    if (reference_reals) ++accepted;
  }
  EXPECT_EQ(compared, lines.size());
  // The lines are hard, not hopeless: a fair share of them are read.
  EXPECT_GT(accepted, 400);
}

}  // namespace
}  // namespace curvist
