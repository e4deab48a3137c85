#pragma once
// What an interrupted run (Ctrl-C, SIGTERM, SIGHUP) must not leave behind: files the
// program made for itself, such as the list file or a picture still being written (by
// this process, or by the child that draws the pictures).
// While a RemovalOnInterrupt lives, remove_temporary_files() deletes its file: the
// handlers that remove_temporary_files_on_interrupt() installs call it before the
// process ends with the signal.

#include <sys/types.h>

#include <csignal>
#include <string_view>

#include "files/TemporaryFileRemoval.hpp"

namespace curvist {

// Holds back the interruptions for a scope, so that a file can be made and registered
// for removal as one step: an interruption in between would leave the file behind.
// A signal that arrives meanwhile is delivered when the scope ends.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

 private:
  sigset_t previous_;
};

// Ends `child` with SIGTERM, which lets it remove its own files: woken first, should it
// be stopped (a suspended job, SIGSTOP), and killed should it still live after a while
// (a debugger holds it, or it ignores SIGTERM). It is then left to be waited for. Safe
// in a signal handler.
void end_child(pid_t child) noexcept;

// Waits at most `milliseconds` for `child` to end, leaving it to be waited for; whether it
// ended. Safe in a signal handler.
bool child_ended_within(pid_t child, int milliseconds) noexcept;

class RemovalOnInterrupt {
 public:
  explicit RemovalOnInterrupt(std::string_view path);
  ~RemovalOnInterrupt();
  RemovalOnInterrupt(const RemovalOnInterrupt&) = delete;
  RemovalOnInterrupt& operator=(const RemovalOnInterrupt&) = delete;

 private:
  int slot_;  // -1 when every slot was taken (the file is then not removed)
};

// A child process that removes its own temporary files when SIGTERM ends it (the program
// that draws the pictures): while this lives, remove_temporary_files() ends it so
// (end_child) and waits until it is gone.
class ChildEndedOnInterrupt {
 public:
  explicit ChildEndedOnInterrupt(pid_t child);
  ~ChildEndedOnInterrupt();
  ChildEndedOnInterrupt(const ChildEndedOnInterrupt&) = delete;
  ChildEndedOnInterrupt& operator=(const ChildEndedOnInterrupt&) = delete;

 private:
  int slot_;  // -1 when every slot was taken
};

}  // namespace curvist
