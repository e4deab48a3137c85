#include "files/Interruption.hpp"

#include <poll.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include "files/TemporaryFileRemoval.hpp"

namespace curvist {
namespace {

// Paths live in fixed slots so that the handler touches no allocator: it may only call
// async-signal-safe functions.
constexpr int slot_count = 8;
struct Slot {
  std::atomic<bool> in_use{false};
  std::atomic<bool> armed{false};
  std::array<char, PATH_MAX> path{};
};
std::array<Slot, slot_count> slots;

// The children that draw pictures, one per PGPLOT of a process as a rule.
constexpr int child_slot_count = 4;
std::array<std::atomic<pid_t>, child_slot_count> children{};

constexpr std::array interruption_signals{SIGINT, SIGTERM, SIGHUP};

extern "C" void remove_files_and_end(int signal_number) {
  remove_temporary_files();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

bool remove_temporary_files_on_interrupt() {
  bool all_taken = true;
  for (const int signal_number : interruption_signals) {
    struct sigaction current {};
    sigaction(signal_number, nullptr, &current);
    const bool handled_by_function = (current.sa_flags & SA_SIGINFO) != 0;
    if (!handled_by_function && current.sa_handler == remove_files_and_end) continue;
    // A handler or SIG_IGN is the program's choice (nohup, a background job, its own
    // clean-up): replacing it would change how the program meets the signal.
    if (handled_by_function || current.sa_handler != SIG_DFL) {
      all_taken = false;
      continue;
    }
    struct sigaction action {};
    action.sa_handler = remove_files_and_end;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
  return all_taken;
}

void remove_temporary_files() noexcept {
  const int error_before = errno;
  for (auto& slot : slots) {
    if (slot.armed.load()) unlink(slot.path.data());
  }
  // A child removes its own files as SIGTERM ends it; it is gone (though not yet waited
  // for) once this returns.
  for (auto& child : children) {
    const pid_t process = child.load();
    if (process > 0) end_child(process);
  }
  errno = error_before;
}

void end_child(pid_t child) noexcept {
  if (kill(child, SIGTERM) != 0) return;
  kill(child, SIGCONT);
  if (child_ended_within(child, 5000)) return;
  kill(child, SIGKILL);
  child_ended_within(child, 5000);
}

bool child_ended_within(pid_t child, int milliseconds) noexcept {
  // Looked at every few milliseconds: only calls a signal handler may make.
  constexpr int step = 5;
  for (int waited = 0;; waited += step) {
    siginfo_t ended{};
    const int status = waitid(P_PID, id_t(child), &ended, WEXITED | WNOWAIT | WNOHANG);
    if (status == 0 && ended.si_pid == child) return true;
    // Not ours to wait for (a host that reaps every child has waited for it already).
    if (status != 0 && errno == ECHILD) return true;
    if (waited >= milliseconds) return false;
    poll(nullptr, 0, step);
  }
}

InterruptionsHeld::InterruptionsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (const int signal_number : interruption_signals) sigaddset(&held, signal_number);
  pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

InterruptionsHeld::~InterruptionsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

RemovalOnInterrupt::RemovalOnInterrupt(std::string_view path) : slot_(-1) {
  if (path.size() >= PATH_MAX) return;
  for (int index = 0; index < slot_count; ++index) {
    bool expected = false;
    if (slots[index].in_use.compare_exchange_strong(expected, true)) {
      std::memcpy(slots[index].path.data(), path.data(), path.size());
      slots[index].path[path.size()] = '\0';
      slots[index].armed.store(true);
      slot_ = index;
      return;
    }
  }
}

RemovalOnInterrupt::~RemovalOnInterrupt() {
  if (slot_ < 0) return;
  slots[slot_].armed.store(false);
  slots[slot_].in_use.store(false);
}

ChildEndedOnInterrupt::ChildEndedOnInterrupt(pid_t child) : slot_(-1) {
  for (int index = 0; index < child_slot_count; ++index) {
    pid_t expected = 0;
    if (children[index].compare_exchange_strong(expected, child)) {
      slot_ = index;
      return;
    }
  }
}

ChildEndedOnInterrupt::~ChildEndedOnInterrupt() {
  if (slot_ >= 0) children[slot_].store(0);
}

}  // namespace curvist
