#include "files/VanishedPageGuard.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>

namespace curvist {
namespace {

// Fixed slots, so that the handler reads nothing but atomics.
constexpr int slot_count = 8;
struct WatchedMapping {
  std::atomic<bool> in_use{false};
  std::atomic<std::uintptr_t> start{0};
  std::atomic<std::uintptr_t> end{0};
  std::atomic<bool> cut_short{false};
};
std::array<WatchedMapping, slot_count> watched;

struct sigaction previous_action {};

extern "C" void replace_vanished_page(int signal_number, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (auto& mapping : watched) {
    const auto start = mapping.start.load();
    const auto end = mapping.end.load();
    if (!mapping.in_use.load() || address < start || address >= end) continue;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto from = address / page * page;
    // Zero bytes from the vanished page to the end of the mapping: the rest of the file
    // is gone too. The faulting read then continues on them.
    if (mmap(reinterpret_cast<void*>(from), end - from, PROT_READ,
             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
      mapping.cut_short.store(true);
      return;
    }
  }
  // Not one of ours: behave as if this handler had never been installed.
  if (previous_action.sa_flags & SA_SIGINFO) {
    if (previous_action.sa_sigaction != nullptr) {
      previous_action.sa_sigaction(signal_number, info, context);
      return;
    }
  } else if (previous_action.sa_handler != SIG_DFL && previous_action.sa_handler != SIG_IGN) {
    previous_action.sa_handler(signal_number);
    return;
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void install_handler_once() {
  static const bool installed = [] {
    struct sigaction action {};
    action.sa_sigaction = replace_vanished_page;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &previous_action);
    return true;
  }();
  (void)installed;
}

}  // namespace

int watch_mapping(const char* data, std::size_t size) {
  install_handler_once();
  for (int slot = 0; slot < slot_count; ++slot) {
    bool expected = false;
    if (watched[slot].in_use.compare_exchange_strong(expected, true)) {
      watched[slot].cut_short.store(false);
      watched[slot].start.store(reinterpret_cast<std::uintptr_t>(data));
      watched[slot].end.store(reinterpret_cast<std::uintptr_t>(data) + size);
      return slot;
    }
  }
  return -1;
}

void stop_watching(int slot) {
  if (slot < 0) return;
  watched[slot].start.store(0);
  watched[slot].end.store(0);
  watched[slot].in_use.store(false);
}

bool mapping_was_cut_short(int slot) { return slot >= 0 && watched[slot].cut_short.load(); }

}  // namespace curvist
