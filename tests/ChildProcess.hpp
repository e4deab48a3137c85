#pragma once
// A program run as a child process in a folder of its own choosing, with DISPLAY set or
// removed, its standard output and standard error captured in files and its standard
// input empty. Every wait is bounded; a child still running when the object goes is
// killed, so a failing test never leaves one behind or hangs.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace curvist::testing {

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

// Calls `done` every few milliseconds until it is true or `limit` has passed; whether
// it came true.
inline bool poll_until(std::chrono::milliseconds limit, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

class ChildProcess {
 public:
  // Starts `program` in `folder`. `display` replaces DISPLAY; nullopt removes it. Output
  // goes to files in `capture_folder`, which must outlive the object.
  ChildProcess(const std::filesystem::path& program, const std::filesystem::path& folder,
               const std::optional<std::string>& display,
               const std::filesystem::path& capture_folder)
      : output_path_(capture_folder / "stdout"), errors_path_(capture_folder / "stderr") {
    // Everything the child needs is made before the fork: between fork and exec only
    // async-signal-safe calls are allowed.
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable)
      if (std::strncmp(*variable, "DISPLAY=", 8) != 0) variables.emplace_back(*variable);
    if (display) variables.push_back("DISPLAY=" + *display);
    std::vector<char*> environment;
    for (auto& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string program_path = program.string();
    char* arguments[] = {program_path.data(), nullptr};
    const std::string folder_path = folder.string();
    const std::string output_path = output_path_.string();
    const std::string errors_path = errors_path_.string();

    process_ = fork();
    if (process_ < 0) throw std::runtime_error("cannot fork");
    if (process_ == 0) {
      const int input = open("/dev/null", O_RDONLY);
      const int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int errors = open(errors_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (input < 0 || output < 0 || errors < 0 || chdir(folder_path.c_str()) != 0) _exit(126);
      dup2(input, STDIN_FILENO);
      dup2(output, STDOUT_FILENO);
      dup2(errors, STDERR_FILENO);
      execve(program_path.c_str(), arguments, environment.data());
      _exit(127);
    }
  }

  ~ChildProcess() {
    if (!end_) {
      kill(process_, SIGKILL);
      waitpid(process_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // How the child ended, or nullopt while it runs; never waits.
  std::optional<ChildEnd> end() {
    if (end_) return end_;
    int status = 0;
    if (waitpid(process_, &status, WNOHANG) != process_) return std::nullopt;
    ChildEnd ended;
    if (WIFEXITED(status)) ended.exit_status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) ended.signal_number = WTERMSIG(status);
    end_ = ended;
    return end_;
  }

  // Waits at most `limit` for the child to end.
  std::optional<ChildEnd> wait_for_end(std::chrono::milliseconds limit) {
    poll_until(limit, [&] { return end().has_value(); });
    return end();
  }

  void send(int signal_number) {
    if (!end()) kill(process_, signal_number);
  }

  std::string output() const { return contents_of(output_path_); }
  std::string errors() const { return contents_of(errors_path_); }

 private:
  static std::string contents_of(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  pid_t process_ = -1;
  std::optional<ChildEnd> end_;
  std::filesystem::path output_path_;
  std::filesystem::path errors_path_;
};

}  // namespace curvist::testing
