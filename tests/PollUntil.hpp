#pragma once
// Waiting for something another process or the X server does, always within a time
// limit, so that a test that fails never hangs.

#include <chrono>
#include <functional>
#include <thread>

namespace curvist::testing {

// Calls `done` every `interval` until it is true or `limit` has passed; whether it came
// true. A longer interval spares a busy program a costly look.
inline bool poll_until(std::chrono::milliseconds limit, const std::function<bool()>& done,
                       std::chrono::milliseconds interval = std::chrono::milliseconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    std::this_thread::sleep_for(interval);
  }
  return true;
}

}  // namespace curvist::testing
