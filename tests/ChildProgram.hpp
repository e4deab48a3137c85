#pragma once
// A program run as a child process the way a user would run it: in a folder, with the
// arguments asked for (none by default), standard input from /dev/null, output and
// errors captured while it runs, a display only when asked for. Limits, another user and
// a file-size cap can be set, so that faults are met for real. Every wait is bounded: a
// run that outlives its deadline is killed and reported as hung, and a child still
// running when the object goes is killed, so a failing test never leaves one behind.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "PollUntil.hpp"
#include "TemporaryFolder.hpp"

extern char** environ;

namespace curvist::testing {

// The unprivileged user a run goes as where root would read or write anything.
constexpr uid_t nobody = 65534;

struct ChildSettings {
  std::vector<std::string> arguments;   // after the program's name
  std::optional<std::string> display;   // DISPLAY; none when absent
  std::optional<uid_t> user;            // run as this user (and group of that number)
  std::optional<rlim_t> address_space;  // RLIMIT_AS in bytes
  std::optional<rlim_t> file_size;      // RLIMIT_FSIZE in bytes, with SIGXFSZ ignored
  bool errors_into_output = false;      // standard error goes to the output, in order
  std::chrono::seconds deadline{120};
};

// How a child ended: its exit status, or the signal that ended it.
struct ChildEnd {
  std::optional<int> exit_status;
  std::optional<int> signal_number;
};

inline std::string described(const std::optional<ChildEnd>& end) {
  if (!end) return "still running";
  if (end->exit_status) return "exit status " + std::to_string(*end->exit_status);
  if (end->signal_number) return std::string("ended by ") + strsignal(*end->signal_number);
  return "ended";
}

inline ChildEnd end_of(int wait_status) {
  ChildEnd end;
  if (WIFEXITED(wait_status)) end.exit_status = WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) end.signal_number = WTERMSIG(wait_status);
  return end;
}

// Runs `body` in a forked copy of this process, which exits with what it returns; how
// that copy ended. For code that must meet a signal or another user without harming the
// test process itself.
inline ChildEnd end_of_forked(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("cannot fork");
  if (child == 0) _exit(body());
  int status = 0;
  waitpid(child, &status, 0);
  return end_of(status);
}

struct ChildResult {
  bool hung = false;  // killed at its deadline
  ChildEnd end;
  std::string output;
  std::string errors;
};

class ChildProgram {
 public:
  ChildProgram(const std::filesystem::path& program, const std::filesystem::path& folder,
               const ChildSettings& settings)
      : deadline_(settings.deadline) {
    // Everything the child needs is made before the fork: between fork and exec only
    // async-signal-safe calls are allowed.
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable)
      if (std::strncmp(*variable, "DISPLAY=", 8) != 0) variables.emplace_back(*variable);
    // In a sanitizer build the leak checker's list of suppressions used would end the
    // child's standard error, which the tests compare whole; leaks are still reported.
    for (auto& variable : variables)
      if (variable.starts_with("LSAN_OPTIONS=")) variable += ":print_suppressions=0";
    if (settings.display) variables.push_back("DISPLAY=" + *settings.display);
    std::vector<char*> environment;
    for (auto& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string program_path = program.string();
    std::vector<std::string> argument_texts = settings.arguments;
    std::vector<char*> arguments = {program_path.data()};
    for (auto& argument : argument_texts) arguments.push_back(argument.data());
    arguments.push_back(nullptr);
    const std::string folder_path = folder.string();
    const std::string output_path = output_path_.string();
    const std::string errors_path = errors_path_.string();
    // The captured output must be writable by the user the child becomes.
    if (settings.user) std::filesystem::permissions(capture_.path(), std::filesystem::perms::all);

    process_ = fork();
    if (process_ < 0) throw std::runtime_error("cannot fork");
    if (process_ != 0) return;

    if (chdir(folder_path.c_str()) != 0) _exit(120);
    const int input = open("/dev/null", O_RDONLY);
    const int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int errors = open(errors_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (input < 0 || output < 0 || errors < 0) _exit(121);
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    dup2(settings.errors_into_output ? output : errors, STDERR_FILENO);
    // A group of its own, so that a hung run is killed with anything it started.
    setpgid(0, 0);
    // Ctrl-C at its default action, as a user's terminal has it, even when the tests run
    // as a background job, which ignores it (and the program leaves an ignored one alone).
    signal(SIGINT, SIG_DFL);
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
    execve(program_path.c_str(), arguments.data(), environment.data());
    _exit(127);
  }

  ~ChildProgram() {
    if (!end_) {
      kill(-process_, SIGKILL);
      kill(process_, SIGKILL);
      waitpid(process_, nullptr, 0);
    }
  }
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  pid_t process() const { return process_; }

  // What the child has written so far.
  std::string output_so_far() const { return contents_of(output_path_); }
  std::string errors_so_far() const { return contents_of(errors_path_); }

  // How the child ended, or nullopt while it runs; never waits.
  std::optional<ChildEnd> end() {
    if (end_) return end_;
    int status = 0;
    if (waitpid(process_, &status, WNOHANG) != process_) return std::nullopt;
    end_ = end_of(status);
    return end_;
  }

  // Waits at most `limit` for the child to end.
  std::optional<ChildEnd> wait_for_end(std::chrono::milliseconds limit) {
    poll_until(limit, [&] { return end().has_value(); });
    return end();
  }

  // Waits until `condition` holds or the child ends, at most `limit` (the deadline when
  // absent), looking every `interval`; whether the condition held.
  bool wait_until(const std::function<bool()>& condition,
                  std::optional<std::chrono::milliseconds> limit = std::nullopt,
                  std::chrono::milliseconds interval = std::chrono::milliseconds(5)) {
    poll_until(
        limit.value_or(deadline_), [&] { return condition() || end(); }, interval);
    // A child that ended may have met the condition just before.
    return condition();
  }

  void send(int signal_number) {
    if (!end()) kill(process_, signal_number);
  }

  // Waits for the end until the deadline, killing the child (and its group) if it is
  // still running then.
  ChildResult finish() {
    ChildResult result;
    if (!wait_for_end(deadline_)) {
      result.hung = true;
      kill(-process_, SIGKILL);
      kill(process_, SIGKILL);
      int status = 0;
      waitpid(process_, &status, 0);
      end_ = end_of(status);
    }
    result.end = *end_;
    result.output = output_so_far();
    result.errors = errors_so_far();
    return result;
  }

 private:
  std::chrono::milliseconds deadline_;
  TemporaryFolder capture_;
  std::filesystem::path output_path_ = capture_ / "out";
  std::filesystem::path errors_path_ = capture_ / "err";
  pid_t process_ = -1;
  std::optional<ChildEnd> end_;
};

inline ChildResult run_child(const std::filesystem::path& program,
                             const std::filesystem::path& folder,
                             const ChildSettings& settings = {}) {
  ChildProgram child(program, folder, settings);
  return child.finish();
}

}  // namespace curvist::testing
