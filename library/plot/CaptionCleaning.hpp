#pragma once
// Captions may hold the escape pairs the file plotter's graphics library interprets:
// \u (raise), \d (lower) and \g (Greek letter). On screen they are drawn as plain text,
// so the pairs go.

#include <span>

namespace curvist::plot {

// Removes every \u, then every \d, then every \g from a blank-padded field, in place. The
// text before and after a removed pair each lose their surrounding blanks and are joined.
void remove_escape_pairs(std::span<char> field);

}  // namespace curvist::plot
