// PGPLOT texts turned into what giza draws as PGPLOT does. Each piece is read back with
// a model of giza 1.3.2's text scanner (its flex rules), which says what giza hands cairo.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "axes/GizaText.hpp"
#include "text/Utf8Text.hpp"

namespace curvist {
namespace {

using ::testing::ElementsAre;
using Pieces = std::vector<std::string>;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What giza's scanner makes of one text: each run of text it hands cairo as one call,
// "<SUP>", "<SUB>", "<{>", "<}>" for its own structure tokens, "<ECHO>" where flex would
// print to standard output, and the escapes it obeys as "<\u>" and the like.
std::vector<std::string> giza_tokens(std::string_view text) {
  std::vector<std::string> tokens;
  std::size_t at = 0;
  const auto single = [&] { tokens.emplace_back(text.substr(at++, 1)); };
  while (at < text.size()) {
    const char c = text[at];
    if (c == '^' || c == '_' || c == '{' || c == '}') {
      tokens.push_back(c == '^' ? "<SUP>" : c == '_' ? "<SUB>" : c == '{' ? "<{>" : "<}>");
      ++at;
      continue;
    }
    if (c != '\\' || at + 1 == text.size()) {
      if (c == '\\') break;  // an escape cut off by the end draws nothing
      single();
      continue;
    }
    const char letter = text[at + 1];
    at += 2;
    if (std::string_view("uUdDbB").find(letter) != std::string_view::npos) {
      tokens.push_back(std::string("<\\") + letter + ">");
    } else if (letter == '(') {
      if (at + 5 <= text.size() && is_digit(text[at]) && is_digit(text[at + 1]) &&
          is_digit(text[at + 2]) && is_digit(text[at + 3]) && text[at + 4] == ')') {
        tokens.push_back("<HERSHEY>");
        at += 5;
        continue;
      }
      const auto close = text.find(')', at);
      const std::size_t end = close == std::string_view::npos ? text.size() : close;
      if (end == at && at < text.size()) tokens.push_back("<ECHO>");
      if (end > at) tokens.emplace_back(text.substr(at, end - at));
      at = end;
    } else if (std::string_view("fFgGmM").find(letter) != std::string_view::npos) {
      if (at == text.size()) break;
      if ((letter == 'm' || letter == 'M') && is_digit(text[at])) {
        tokens.push_back("<MARKER>");
        at += at + 1 < text.size() && is_digit(text[at + 1]) ? 2 : 1;
      } else if ((letter == 'f' || letter == 'F') &&
                 std::string_view("nrisbNRISB").find(text[at]) != std::string_view::npos) {
        tokens.push_back(std::string("<\\f") + text[at++] + ">");
      } else if ((letter == 'g' || letter == 'G') &&
                 std::string_view("ABGDEZYHIKLMNCOPRSTUFXQWabgdezyhiklmncoprstufxqw")
                         .find(text[at]) != std::string_view::npos) {
        tokens.push_back(std::string("<\\g") + text[at++] + ">");
      } else {
        single();
      }
    } else {
      // ESCAPE state: the character itself, or giza's replacement of x, . and A.
      if (!is_letter(letter)) tokens.push_back(std::string(1, letter));
      if (is_letter(letter)) tokens.push_back(std::string("<\\") + letter + ">");
    }
  }
  return tokens;
}

// Everything giza hands cairo for the pieces, joined.
std::string drawn(const Pieces& pieces) {
  std::string text;
  for (const auto& piece : pieces)
    for (const auto& token : giza_tokens(piece)) text += token;
  return text;
}

// No piece may hand cairo part of a character, use giza's own structure tokens, or make
// flex print to standard output.
void expect_safe_for_giza(std::string_view text) {
  for (const auto& piece : giza_text_pieces(text)) {
    for (const auto& token : giza_tokens(piece)) {
      EXPECT_TRUE(is_valid_utf8(token)) << "text \"" << text << "\", piece \"" << piece << '"';
      EXPECT_THAT(token, ::testing::Not(::testing::AnyOf("<SUP>", "<SUB>", "<{>", "<}>", "<ECHO>")))
          << "text \"" << text << "\", piece \"" << piece << '"';
    }
  }
}

TEST(GizaText, AsciiWithoutGizasOwnSymbolsIsHandedOverUnchanged) {
  EXPECT_THAT(giza_text_pieces("Time (s)"), ElementsAre("Time (s)"));
  EXPECT_THAT(giza_text_pieces("cm\\u-1\\d \\ga \\(0850) \\fi x"),
              ElementsAre("cm\\u-1\\d \\ga \\(0850) \\fi x"));
  EXPECT_THAT(giza_text_pieces(""), ElementsAre(""));
}

TEST(GizaText, SuperscriptGroupingAndBackslashCharactersAreDrawnAsWritten) {
  const Pieces pieces = giza_text_pieces("x_max^2 {a}");
  EXPECT_THAT(pieces, ElementsAre("x\\(_max^2 {a}"));
  EXPECT_EQ(drawn(pieces), "x_max^2 {a}");
  EXPECT_THAT(giza_text_pieces("x_1 (a) b"), ElementsAre("x\\(_1 (a) b"));
  EXPECT_THAT(giza_text_pieces("a\\\\b"), ElementsAre("a\\(\\b"));
}

TEST(GizaText, NonAsciiCharactersRunToTheNextClosingParenthesis) {
  const Pieces pieces = giza_text_pieces("Temperatur (\u00b0C)");
  EXPECT_THAT(pieces, ElementsAre("Temperatur (\\(\u00b0C)"));
  EXPECT_EQ(drawn(pieces), "Temperatur (\u00b0C)");
  // Latin-1 gives the same characters.
  EXPECT_EQ(giza_text_pieces("Temperatur (\xb0"
                             "C)"),
            pieces);
  // Inside a run, giza's own symbols are ordinary characters.
  EXPECT_EQ(drawn(giza_text_pieces("\u00e9 x_1 {a}")), "\u00e9 x_1 {a}");
}

TEST(GizaText, EscapesAfterARunStartANewPieceInTheSameState) {
  EXPECT_THAT(giza_text_pieces("\u00b5m\\u2\\d"), ElementsAre("\\(\u00b5m", "\\u2\\d"));
  // Ordinary characters after a run stay in it; only a ")" ends it.
  EXPECT_THAT(giza_text_pieces("\u00c5 (a)\\u2 \u00e9 b\\d"),
              ElementsAre("\\(\u00c5 (a)\\u2 \\(\u00e9 b", "\\u\\d"));
  // The new piece repeats the raise and font escapes so far, and nothing else.
  const Pieces pieces = giza_text_pieces("\\fi\\u2\\ga \u00e9\\d x\\u\u00c5\\b\\d");
  EXPECT_THAT(pieces, ElementsAre("\\fi\\u2\\ga \\(\u00e9", "\\fi\\u\\d x\\u\\(\u00c5",
                                  "\\fi\\u\\d\\u\\b\\d"));
}

TEST(GizaText, CharacterEscapesJoinARunAsTheirCharacters) {
  EXPECT_THAT(giza_text_pieces("\u00e9\\ga\\\\\\x\\.\\A"),
              ElementsAre("\\(\u00e9\u03b1\\\u00d7\u00b7\u00c5"));
  // The Greek alphabet in PGPLOT's order, capitals and small letters, around the gap
  // Unicode leaves for the final sigma.
  EXPECT_EQ(drawn(giza_text_pieces("\u00e9\\gA\\gP\\gR\\gS\\gW\\ga\\gr\\gs\\gw\\gq")),
            "\u00e9\u0391\u03a0\u03a1\u03a3\u03a9\u03b1\u03c1\u03c3\u03c9\u03c8");
  // Outside a run, a Greek letter is left to giza; the others start a run.
  EXPECT_THAT(giza_text_pieces("\\ga \\x"), ElementsAre("\\ga \\(\u00d7"));
}

TEST(GizaText, EscapesWithoutWhatGizaNeedsAreDrawnSafely) {
  // A non-ASCII character after an escape letter is drawn, as giza draws an unknown one.
  EXPECT_EQ(drawn(giza_text_pieces("\\g\u00e9 \\f\u00e9 \\m\u00e9 \\\u00e9")),
            "\u00e9 \u00e9 \u00e9 \u00e9");
  // An empty Hershey number draws nothing (flex would print its ")").
  EXPECT_THAT(giza_text_pieces("a\\()b"), ElementsAre("ab"));
  EXPECT_THAT(giza_text_pieces("a\\("), ElementsAre("a"));
  // A marker number after a run.
  EXPECT_THAT(giza_text_pieces("\u00e9\\m12"), ElementsAre("\\(\u00e9", "\\m12"));
}

TEST(GizaText, NoTextHandsGizaPartOfACharacter) {
  for (const std::string_view text :
       {"\u00b0\\", "\\u\u00b0\\d", "\u00b0)\\u2", "(\u00b0)(\u00b0)", "\u00b01234)", "\\(\u00b0)",
        "\\(\u00b0", "\xb0\xb5\xc5\xe9", "\\g", "\\f", "\\m", "\\m\\u", "\u00e9^_{}\\^\\_",
        "\\\\\u00e9", "\U0001F600\\d"})
    expect_safe_for_giza(text);

  // Random texts over the characters that matter: escapes, giza's symbols, digits,
  // parentheses, UTF-8 and Latin-1 bytes.
  constexpr std::string_view alphabet[] = {"\\", "u", "d", "g",      "f",      "m",    "(",   ")",
                                           "^",  "_", "{", "}",      "1",      "a",    "i",   " ",
                                           "x",  ".", "A", "\u00b0", "\u212b", "\xb5", "\xe9"};
  std::mt19937 random(12);
  for (int sample = 0; sample < 3000; ++sample) {
    std::string text;
    const int length = static_cast<int>(random() % 12);
    for (int index = 0; index < length; ++index) text += alphabet[random() % std::size(alphabet)];
    expect_safe_for_giza(text);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace curvist
