#include "Main.hpp"

// PLACEHOLDER: replaced by the driver.
namespace curvist {
int MAIN() { return 0; }
}  // namespace curvist
