#include "platform/PicturesInBackground.hpp"

#include "pgplot/PgplotInterface.hpp"
#include "platform/Platform.hpp"

namespace curvist {

PicturesInBackground::PicturesInBackground() : pgplot_(current_pgplot()) {
  pgplot_.finish_in_background(true);
}

PicturesInBackground::~PicturesInBackground() { pgplot_.finish_in_background(false); }

}  // namespace curvist
