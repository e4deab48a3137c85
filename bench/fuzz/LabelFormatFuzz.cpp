// Fuzzes the tick label formatting: any value in any F or G descriptor fills exactly its
// field, and so does any integer in any width.
#include <cstdint>
#include <cstring>

#include "FuzzInput.hpp"
#include "fortranformat/IntegerEditing.hpp"
#include "fortranformat/RealEditing.hpp"

using namespace curvist;
using namespace curvist::fortranformat;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= 11) {
    double value;
    std::memcpy(&value, data, sizeof value);
    const RealEdit edit{data[8] % 2 == 0 ? RealEditKind::F : RealEditKind::G, data[9] % 64,
                        data[10] % 40};
    if (edit_real(value, edit).size() != std::size_t(edit.width))
      fuzzing::broken("a real fills exactly its field");
    long long integer;
    std::memcpy(&integer, data, sizeof integer);
    if (edit_integer(integer, data[9] % 32).size() != std::size_t(data[9] % 32))
      fuzzing::broken("an integer fills exactly its field");
  }
  return 0;
}
