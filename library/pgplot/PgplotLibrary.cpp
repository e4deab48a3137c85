#include "pgplot/PgplotLibrary.hpp"

#include <iostream>

#include "pgplot/RecordingPgplot.hpp"

// PLACEHOLDER: replaced by the PGPLOT layer over giza.
namespace curvist {
std::unique_ptr<Pgplot> make_pgplot_library() {
  return std::make_unique<RecordingPgplot>(std::cerr);
}
}  // namespace curvist
