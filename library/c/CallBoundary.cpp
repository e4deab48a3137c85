#include "c/CallBoundary.hpp"

namespace curvist::c_interface {
namespace {

thread_local std::string last_error_kept;
thread_local const char* last_error = "";

}  // namespace

curvist_status noted(curvist_status status, std::string_view why) noexcept {
  try {
    last_error_kept.assign(status == CURVIST_OK ? std::string_view() : why);
    last_error = last_error_kept.c_str();
  } catch (...) {
    last_error = "out of memory (the reason could not be kept)";
  }
  return status;
}

std::recursive_mutex& library_calls() {
  static std::recursive_mutex calls;
  return calls;
}

}  // namespace curvist::c_interface

extern "C" const char* curvist_last_error(void) { return curvist::c_interface::last_error; }
