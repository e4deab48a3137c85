#include "window/WindowOperations.hpp"

#include <poll.h>

#include <algorithm>
#include <climits>

namespace curvist {

void WindowOperations::draw_points(std::span<const double> x, std::span<const double> y, bool join,
                                   bool starts_stroke) {
  for (std::size_t point = 0; point < x.size(); ++point) {
    if (point == 0 && starts_stroke)
      move_to(x[point], y[point]);
    else if (join)
      line_to(x[point], y[point]);
    set_pixel(x[point], y[point]);
  }
}

bool WindowOperations::replace_plot(int /*unit*/, std::shared_ptr<const RedrawablePlot> /*plot*/) {
  return false;
}

bool WindowOperations::write_png(int /*unit*/, std::string_view /*path*/, std::string& error) {
  error = "these windows keep no pixels";
  return false;
}

WindowOperations::WaitEnd WindowOperations::keep_windows_while_waiting(
    int descriptor, std::optional<std::chrono::milliseconds> limit) {
  // Nothing is shown here: no window can end the wait.
  return wait_for_descriptor(descriptor, limit);
}

WindowOperations::WaitEnd wait_for_descriptor(int descriptor,
                                              std::optional<std::chrono::milliseconds> limit) {
  pollfd watched{descriptor, POLLIN, 0};
  const int timeout =
      limit ? static_cast<int>(std::clamp<long long>(limit->count(), 0, INT_MAX)) : -1;
  const int ready = poll(&watched, 1, timeout);
  return ready > 0 ? WindowOperations::WaitEnd::descriptor_ready
                   : WindowOperations::WaitEnd::time_up;
}

}  // namespace curvist
