#include "axes/GizaText.hpp"

#include "text/Utf8Text.hpp"

namespace curvist {
namespace {

// PGPLOT's Greek letters: \g followed by one of these gives the letter of the same place
// in Unicode's Greek capitals (without the final-sigma gap) or small letters.
constexpr std::string_view greek_letters = "ABGDEZYHIKLMNCOPRSTUFXQWabgdezyhiklmncoprstufxqw";
constexpr std::string_view font_letters = "nrisbNRISB";
constexpr std::size_t capitals = 24;

std::string greek_letter(std::size_t place) {
  const bool small = place >= capitals;
  const std::size_t letter = small ? place - capitals : place;
  // Unicode leaves a gap after rho for the final sigma.
  const unsigned code = 0x391 + unsigned(letter) + (letter >= 17 ? 1 : 0) + (small ? 0x20 : 0);
  // Two bytes in UTF-8, as every Greek letter.
  return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
}

bool is_ascii(char byte) { return static_cast<unsigned char>(byte) < 0x80; }

// What giza draws as itself outside an escape: ASCII but for the backslash and the
// characters it reads as super- and subscript and grouping.
bool drawn_as_itself(std::string_view character) {
  return character.size() == 1 && is_ascii(character[0]) &&
         std::string_view("\\^_{}").find(character[0]) == std::string_view::npos;
}

class PieceWriter {
 public:
  // A character to be drawn as it is. `escape`: an escape that makes giza draw that
  // character, or empty.
  void character(std::string_view utf8, std::string_view escape = {}) {
    std::string& piece = pieces_.back();
    if (run_open_) {
      piece += utf8;
      // giza ends the run before the ")" and draws that as ordinary text.
      if (utf8 == ")") run_open_ = false;
    } else if (!escape.empty()) {
      piece += escape;
    } else if (drawn_as_itself(utf8)) {
      piece += utf8;
    } else {
      // The run begins with a character that is not a digit, so giza never reads it as a
      // Hershey number.
      piece += "\\(";
      piece += utf8;
      run_open_ = true;
    }
  }

  // An escape for giza to interpret; `changes_state`: it raises, lowers or changes the
  // font for the rest of the text.
  void escape(std::string_view text, bool changes_state) {
    if (run_open_) {
      // The run would swallow the escape: the text goes on in a new piece.
      pieces_.push_back(state_escapes_);
      run_open_ = false;
    }
    pieces_.back() += text;
    if (changes_state) state_escapes_ += text;
  }

  std::vector<std::string> pieces() && { return std::move(pieces_); }

 private:
  std::vector<std::string> pieces_{std::string()};
  std::string state_escapes_;  // every raise, lower and font escape so far, in order
  bool run_open_ = false;
};

// An escape with one character after its letter (\f, \g, \m), at `position`; the
// position after it.
std::size_t write_escape_with_argument(std::string_view text, std::size_t position,
                                       PieceWriter& writer) {
  const char letter = text[position + 1];
  if (position + 2 == text.size()) {
    writer.escape(text.substr(position, 2), false);
    return position + 2;
  }
  const std::size_t argument_length = utf8_sequence_length(text[position + 2]);
  const std::string_view argument = text.substr(position + 2, argument_length);
  const std::string_view whole = text.substr(position, 2 + argument_length);
  const std::size_t next = position + 2 + argument_length;
  // A letter giza does not know as a font, Greek letter or marker is drawn as it is.
  if (!is_ascii(argument[0])) {
    writer.character(argument);
  } else if (letter == 'f' || letter == 'F') {
    if (font_letters.find(argument[0]) != std::string_view::npos)
      writer.escape(whole, true);
    else
      writer.character(argument, whole);
  } else if (letter == 'g' || letter == 'G') {
    const auto place = greek_letters.find(argument[0]);
    if (place != std::string_view::npos)
      writer.character(greek_letter(place), whole);
    else
      writer.character(argument, whole);
  } else if (argument[0] >= '0' && argument[0] <= '9') {
    // A marker number: its digits follow as ordinary text.
    writer.escape(text.substr(position, 2), false);
    return position + 2;
  } else {
    writer.character(argument, whole);
  }
  return next;
}

// The escape at `position` (a backslash); the position after it.
std::size_t write_escape(std::string_view text, std::size_t position, PieceWriter& writer) {
  if (position + 1 == text.size()) {
    writer.escape(text.substr(position), false);
    return text.size();
  }
  const char letter = text[position + 1];
  const std::string_view pair = text.substr(position, 2);
  switch (letter) {
    case 'u':
    case 'U':
    case 'd':
    case 'D':
      writer.escape(pair, true);
      return position + 2;
    case 'f':
    case 'F':
    case 'g':
    case 'G':
    case 'm':
    case 'M':
      return write_escape_with_argument(text, position, writer);
    case '(': {
      // A Hershey character number, up to the closing parenthesis. giza would print a
      // stray ")" of an empty one on standard output: an empty one draws nothing.
      const auto close = text.find(')', position + 2);
      const std::size_t end = close == std::string_view::npos ? text.size() : close + 1;
      const std::string_view number = text.substr(position + 2, end - position - 2);
      if (!number.empty() && number != ")")
        writer.escape(text.substr(position, end - position), false);
      return end;
    }
    // The characters of these escapes are drawn in runs too: giza's own readings of them
    // changed from one version to the next, its runs did not. The Angstrom and the dot
    // are the Latin-1 characters, which fonts without the mathematical ones have.
    case '\\':
      writer.character("\\");
      return position + 2;
    case 'x':
      writer.character("\u00d7");  // multiplication sign
      return position + 2;
    case '.':
      writer.character("\u00b7");  // centred dot
      return position + 2;
    case 'A':
      writer.character("\u00c5");  // A with ring: the Angstrom
      return position + 2;
    default:
      if (!is_ascii(letter)) {
        // giza draws the character after an escape it does not know.
        const std::size_t length = utf8_sequence_length(letter);
        writer.character(text.substr(position + 1, length));
        return position + 1 + length;
      }
      // \b, and the escapes giza knows beyond PGPLOT's (\alpha, \Sun, ...): the letters
      // after the pair follow as ordinary text and giza reads them as before.
      writer.escape(pair, false);
      return position + 2;
  }
}

}  // namespace

std::vector<std::string> giza_text_pieces(std::string_view text) {
  const std::string utf8 = utf8_from_text(text);
  const std::string_view whole = utf8;
  PieceWriter writer;
  for (std::size_t position = 0; position < whole.size();) {
    if (whole[position] == '\\') {
      position = write_escape(whole, position, writer);
      continue;
    }
    const std::size_t length = utf8_sequence_length(whole[position]);
    writer.character(whole.substr(position, length));
    position += length;
  }
  return std::move(writer).pieces();
}

}  // namespace curvist
