#pragma once
// The PGPLOT library of a real run: giza underneath, in a process of its own, with
// PGPLOT's device specifications, GIF output, and pictures that appear whole under their
// exact name.

#include <memory>

#include "console/ErrorStream.hpp"
#include "pgplot/PgplotInterface.hpp"

namespace curvist {

// `errors`: where the lines of pictures that cannot be written go.
std::unique_ptr<Pgplot> make_pgplot_library(ErrorStream& errors = standard_error());

}  // namespace curvist
