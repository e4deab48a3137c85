#include "pgplot/PgplotLibrary.hpp"

#include "pgplot/GizaPgplot.hpp"

namespace curvist {

std::unique_ptr<Pgplot> make_pgplot_library() { return std::make_unique<GizaPgplot>(); }

}  // namespace curvist
