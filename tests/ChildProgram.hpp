#pragma once
// Runs the real curvist program as a child process in a folder, the way a user would:
// no arguments, standard input from /dev/null, output and errors captured, a display only
// when asked for. Limits, another user, a file-size cap and a deadline can be set, so
// that faults are met for real; a run that outlives its deadline is killed and reported
// as hung.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "TemporaryFolder.hpp"

namespace curvist::testing {

struct ChildSettings {
  std::optional<std::string> display;   // DISPLAY; none when absent
  std::optional<uid_t> user;            // run as this user (and group of that number)
  std::optional<rlim_t> address_space;  // RLIMIT_AS in bytes
  std::optional<rlim_t> file_size;      // RLIMIT_FSIZE in bytes, with SIGXFSZ ignored
  std::chrono::seconds deadline{120};
};

struct ChildResult {
  bool hung = false;
  int exit_status = -1;  // when it exited
  int signal = 0;        // when a signal ended it
  std::string output;
  std::string errors;
};

class ChildProgram {
 public:
  ChildProgram(const std::filesystem::path& program, const std::filesystem::path& folder,
               const ChildSettings& settings)
      : settings_(settings) {
    const std::string output_path = (capture_ / "out").string();
    const std::string error_path = (capture_ / "err").string();
    if (settings.user) {
      // The captured output must be writable by the user the child becomes.
      std::filesystem::permissions(capture_.path(), std::filesystem::perms::all);
    }
    process_ = fork();
    if (process_ != 0) return;

    // In the child: only async-signal-safe work until exec.
    if (chdir(folder.c_str()) != 0) _exit(120);
    const int input = open("/dev/null", O_RDONLY);
    const int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int errors = open(error_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (input < 0 || output < 0 || errors < 0) _exit(121);
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    dup2(errors, STDERR_FILENO);
    setpgid(0, 0);
    if (settings.address_space) {
      const rlimit limit{*settings.address_space, *settings.address_space};
      if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(122);
    }
    if (settings.file_size) {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{*settings.file_size, *settings.file_size};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(123);
    }
    if (settings.user) {
      if (setgid(*settings.user) != 0 || setuid(*settings.user) != 0) _exit(124);
    }
    if (settings.display)
      setenv("DISPLAY", settings.display->c_str(), 1);
    else
      unsetenv("DISPLAY");
    execl(program.c_str(), "curvist", static_cast<char*>(nullptr));
    _exit(127);
  }

  ~ChildProgram() {
    if (process_ > 0 && !finished_) {
      kill(process_, SIGKILL);
      waitpid(process_, nullptr, 0);
    }
  }
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  pid_t process() const { return process_; }

  // What the child has written to standard output so far.
  std::string output_so_far() const { return contents(capture_ / "out"); }

  // Waits until `condition` holds or the child ends; whether the condition held.
  bool wait_until(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + settings_.deadline;
    while (std::chrono::steady_clock::now() < end) {
      if (condition()) return true;
      if (!finished_ && waitpid(process_, &raw_status_, WNOHANG) == process_) finished_ = true;
      if (finished_) return condition();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }

  ChildResult finish() {
    ChildResult result;
    if (!finished_) {
      const auto end = std::chrono::steady_clock::now() + settings_.deadline;
      while (waitpid(process_, &raw_status_, WNOHANG) != process_) {
        if (std::chrono::steady_clock::now() >= end) {
          result.hung = true;
          kill(-process_, SIGKILL);
          kill(process_, SIGKILL);
          waitpid(process_, &raw_status_, 0);
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      finished_ = true;
    }
    if (WIFEXITED(raw_status_)) result.exit_status = WEXITSTATUS(raw_status_);
    if (WIFSIGNALED(raw_status_)) result.signal = WTERMSIG(raw_status_);
    result.output = contents(capture_ / "out");
    result.errors = contents(capture_ / "err");
    return result;
  }

 private:
  static std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  ChildSettings settings_;
  TemporaryFolder capture_;
  pid_t process_ = -1;
  int raw_status_ = 0;
  bool finished_ = false;
};

inline ChildResult run_child(const std::filesystem::path& program,
                             const std::filesystem::path& folder,
                             const ChildSettings& settings = {}) {
  ChildProgram child(program, folder, settings);
  return child.finish();
}

}  // namespace curvist::testing
