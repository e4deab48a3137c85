#pragma once
// The PGPLOT library of a real run: giza underneath, in a process of its own, with
// PGPLOT's device specifications, GIF output, and pictures that appear whole under their
// exact name.

#include <memory>

#include "pgplot/PgplotInterface.hpp"

namespace curvist {

std::unique_ptr<Pgplot> make_pgplot_library();

}  // namespace curvist
