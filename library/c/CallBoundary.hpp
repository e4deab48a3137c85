#pragma once
// The edge between C callers and the library: every call of the C interface runs here,
// alone among the library's calls (the library is not re-entrant, and a Python program
// draws with its interpreter lock released), and ends in a status. No exception gets
// past it: one the library throws becomes CURVIST_FAILED with its reason.

#include <exception>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "c/curvist.h"

namespace curvist::c_interface {

// What a call ends with: CURVIST_OK, or another status and why.
struct Outcome {
  curvist_status status = CURVIST_OK;
  std::string why;
};

// Keeps the reason as the calling thread's last error (empty for CURVIST_OK), and
// returns the status.
curvist_status noted(curvist_status status, std::string_view why) noexcept;

// Held for the whole of each call; a console of the caller's may call back in.
std::recursive_mutex& library_calls();

// Runs `call`, which returns an Outcome, under the library's lock.
template <typename Call>
curvist_status guarded(Call&& call) noexcept {
  try {
    const std::lock_guard lock(library_calls());
    const Outcome outcome = std::forward<Call>(call)();
    return noted(outcome.status, outcome.why);
  } catch (const std::bad_alloc&) {
    return noted(CURVIST_FAILED, "out of memory");
  } catch (const std::exception& error) {
    return noted(CURVIST_FAILED, error.what());
  } catch (...) {
    return noted(CURVIST_FAILED, "an error of unknown kind");
  }
}

}  // namespace curvist::c_interface
