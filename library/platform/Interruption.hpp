#pragma once
// What an interrupted run (Ctrl-C, SIGTERM, SIGHUP) must not leave behind: files the
// program made for itself, such as the list file or a picture still being written.
// While a RemovalOnInterrupt lives, an interruption deletes its file before the process
// ends with the signal.

#include <signal.h>

#include <string_view>

namespace curvist {

// Installs the handlers once; later calls do nothing.
void install_interrupt_handlers();

// Holds back interruptions of the calling thread while it lives; one that came meanwhile
// takes effect at the end of the scope. Making a file and arming its removal happen
// under one, so that no interruption can fall between the two.
class HeldInterruptions {
 public:
  HeldInterruptions();
  ~HeldInterruptions();
  HeldInterruptions(const HeldInterruptions&) = delete;
  HeldInterruptions& operator=(const HeldInterruptions&) = delete;

 private:
  sigset_t previous_;
};

class RemovalOnInterrupt {
 public:
  explicit RemovalOnInterrupt(std::string_view path);
  ~RemovalOnInterrupt();
  RemovalOnInterrupt(const RemovalOnInterrupt&) = delete;
  RemovalOnInterrupt& operator=(const RemovalOnInterrupt&) = delete;

 private:
  int slot_;  // -1 when every slot was taken (the file is then not removed)
};

}  // namespace curvist
