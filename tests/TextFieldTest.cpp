// Fixed-length text fields count characters, as UTF-8 or Latin-1 texts hold them.
#include <gtest/gtest.h>

#include <string>

#include "Plot.hpp"
#include "text/TextField.hpp"
#include "text/Utf8Text.hpp"

namespace curvist {
namespace {

std::string repeated(std::string_view text, int times) {
  std::string result;
  for (int index = 0; index < times; ++index) result += text;
  return result;
}

TEST(Utf8Text, ValidityRejectsBrokenOverlongAndSurrogateForms) {
  EXPECT_TRUE(is_valid_utf8(""));
  EXPECT_TRUE(is_valid_utf8("Temperatur (\u00b0C) \u03b1 \u212b \U0001F600"));
  EXPECT_FALSE(
      is_valid_utf8("Temperatur (\xb0"
                    "C)"));                         // Latin-1 degree sign
  EXPECT_FALSE(is_valid_utf8("\xc3"));              // a character cut short at the end
  EXPECT_FALSE(is_valid_utf8("\xc3 "));             // ... or by a blank
  EXPECT_FALSE(is_valid_utf8("\xc0\xaf"));          // overlong slash
  EXPECT_FALSE(is_valid_utf8("\xed\xa0\x80"));      // surrogate
  EXPECT_FALSE(is_valid_utf8("\xf4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_EQ(utf8_from_text("\xb0"
                           "C \xb5m"),
            "\u00b0C \u00b5m");
  EXPECT_EQ(utf8_from_text("\u00b0C"), "\u00b0C");
}

TEST(Utf8Text, CharactersAreCodePointsOfUtf8AndBytesOfLatin1) {
  EXPECT_EQ(character_count("\u00b0C \u03b1\U0001F600"), 5u);
  EXPECT_EQ(character_count("\xb0"
                            "C \xe9"),
            4u);
  EXPECT_EQ(character_count("\xc3\xa9\xff"), 3u);  // not UTF-8 as a whole: three Latin-1 bytes
  EXPECT_EQ(bytes_of_leading_characters("\u00e9t\u00e9", 2), 3u);
  EXPECT_EQ(bytes_of_leading_characters("\u00e9t\u00e9", 9), 5u);
  EXPECT_EQ(bytes_of_leading_characters("\xe9t\xe9", 2), 2u);
}

TEST(TextField, Utf8TitleIsCutAfterItsCharactersNeverInsideOne) {
  // 100 characters of two bytes each: an 80-character field keeps 80 of them whole.
  const std::string title = repeated("\u00e9", 100);
  const TextField<80> field(title);
  EXPECT_EQ(field.view(), repeated("\u00e9", 80));
  EXPECT_TRUE(is_valid_utf8(field.view()));

  // A shorter one is padded to the field's length in characters, not bytes.
  const TextField<10> padded("\u00b0C \u03b1");
  EXPECT_EQ(padded.view(), "\u00b0C \u03b1      ");
  EXPECT_EQ(character_count(padded.view()), 10u);
  EXPECT_EQ(padded.trimmed(), "\u00b0C \u03b1");

  // Three-byte characters, cut at an odd length.
  const TextField<3> angstroms("\u212b\u212b\u212b\u212b");
  EXPECT_EQ(angstroms.view(), "\u212b\u212b\u212b");
}

TEST(TextField, Latin1ValueCountsEveryByteAsACharacter) {
  const TextField<4> field(
      "\xb0"
      "C \xe9xyz");
  EXPECT_EQ(field.view(),
            "\xb0"
            "C \xe9");
  const TextField<6> padded("\xb5m");
  EXPECT_EQ(padded.view(), "\xb5m    ");
}

TEST(TextField, CaptionCleaningKeepsAUtf8FieldItsLength) {
  PLOTPACK::TextField120 caption("Wellenzahl \u00c5\\u-1\\d (\u00b5m)");
  PLOTPACK::PURGE(caption.characters());
  EXPECT_EQ(caption.trimmed(), "Wellenzahl \u00c5-1(\u00b5m)");
  EXPECT_EQ(character_count(caption.view()), 120u);
}

}  // namespace
}  // namespace curvist
