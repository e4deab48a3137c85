#pragma once
// Texts are bytes from data files: UTF-8 when they are valid UTF-8, otherwise read as
// Latin-1, the single-byte set old data files were written in. Either way a text is a
// row of characters, and that is what lengths count.

#include <cstddef>
#include <string>
#include <string_view>

#include <curvist/Export.hpp>

namespace curvist {

CURVIST_EXPORT bool is_valid_utf8(std::string_view text);

// The text as UTF-8, each byte of invalid UTF-8 read as a Latin-1 character.
CURVIST_EXPORT std::string utf8_from_text(std::string_view text);

// How many characters the text holds: code points of valid UTF-8, otherwise bytes.
CURVIST_EXPORT std::size_t character_count(std::string_view text);

// How many bytes the first `characters` characters of the text take (all of it when it
// holds fewer): a cut there never falls inside a character.
CURVIST_EXPORT std::size_t bytes_of_leading_characters(std::string_view text,
                                                       std::size_t characters);

// The number of bytes of the UTF-8 character that starts with `lead`: 1 for an ASCII
// byte, and for a byte that cannot start one.
CURVIST_EXPORT std::size_t utf8_sequence_length(char lead);

}  // namespace curvist
