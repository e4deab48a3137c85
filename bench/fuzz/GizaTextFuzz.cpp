// Fuzzes the translation of captions for giza: it never reads beyond the text, and every
// piece is UTF-8 whose characters beyond ASCII all lie inside a run giza draws whole
// (after "\(", before any ")").
#include <cstdint>
#include <string>

#include "FuzzInput.hpp"
#include "axes/GizaText.hpp"
#include "text/Utf8Text.hpp"

using namespace curvist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Captions are at most 80 characters; a few times that finds every pattern.
  if (size > 400) return 0;
  for (const std::string& piece : giza_text_pieces(fuzzing::as_text(data, size))) {
    if (!is_valid_utf8(piece)) fuzzing::broken("a piece is not UTF-8");
    for (std::size_t position = 0; position < piece.size(); ++position) {
      if (static_cast<unsigned char>(piece[position]) < 0x80) continue;
      const auto run = piece.rfind("\\(", position);
      if (run == std::string::npos || piece.find(')', run) < position)
        fuzzing::broken("a character beyond ASCII outside a run");
    }
  }
  return 0;
}
