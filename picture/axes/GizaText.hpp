#pragma once
// PGPLOT texts as giza must be given them to draw what PGPLOT draws.
//
// giza's text scanner hands cairo every byte outside an escape on its own, so a UTF-8
// character of several bytes reaches cairo cut into invalid pieces; cairo then stops
// drawing for the rest of the picture. giza also reads ^, _, { and } as super- and
// subscript and grouping, which PGPLOT draws as they are. What giza draws whole and
// literally, in every version so far, is the text after "\(" that is not a Hershey
// number, up to the next ")" or the end: such a run carries every character giza would
// misread. Escapes stay outside runs so that giza still interprets them; where an escape
// follows a run before any ")", the text is cut into pieces drawn one after the other,
// each piece starting with the raise, lower and font escapes before it so that it
// continues in the same state.

#include <string>
#include <string_view>
#include <vector>

namespace curvist {

// The pieces of `text` (UTF-8, or Latin-1 when it is not valid UTF-8) for giza: almost
// always one; never a piece that hands cairo part of a character.
std::vector<std::string> giza_text_pieces(std::string_view text);

}  // namespace curvist
