#pragma once
// The library's own threads take no signals: Ctrl-C and SIGTERM reach the program's
// threads, whose handlers decide what becomes of the program.

#include <pthread.h>
#include <signal.h>

#include <thread>
#include <utility>

namespace curvist {

template <typename Function>
std::thread start_thread_without_signals(Function&& function) {
  // The new thread starts with the mask of the thread that makes it.
  struct AllSignalsBlocked {
    sigset_t previous;
    AllSignalsBlocked() {
      sigset_t all;
      sigfillset(&all);
      pthread_sigmask(SIG_SETMASK, &all, &previous);
    }
    ~AllSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }
  };
  const AllSignalsBlocked blocked;
  return std::thread(std::forward<Function>(function));
}

}  // namespace curvist
