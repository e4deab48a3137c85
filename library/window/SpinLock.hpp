#pragma once
// A lock for very short critical sections taken on every drawing call: one atomic
// exchange when nobody else holds it, which is nearly always.

#include <atomic>
#include <thread>

namespace curvist {

class SpinLock {
 public:
  void lock() {
    while (held_.exchange(true, std::memory_order_acquire)) {
      while (held_.load(std::memory_order_relaxed)) std::this_thread::yield();
    }
  }
  void unlock() { held_.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> held_{false};
};

}  // namespace curvist
