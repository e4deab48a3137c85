#include "pgplot/PgplotLibrary.hpp"

#include "pgplot/RemotePgplot.hpp"

namespace curvist {

std::unique_ptr<Pgplot> make_pgplot_library(ErrorStream& errors) {
  return std::make_unique<RemotePgplot>(errors);
}

}  // namespace curvist
