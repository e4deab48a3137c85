#pragma once
// A private X server for tests: Xvfb on a display number it picks itself, 1280x1024 at
// 24 bits, stopped when the object goes.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace curvist::testing {

class XvfbServer {
 public:
  static bool installed() {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
      const auto end = std::min(folders.find(':', start), folders.size());
      if (std::filesystem::exists(std::filesystem::path(folders.substr(start, end - start)) /
                                  "Xvfb"))
        return true;
      start = end + 1;
    }
    return false;
  }

  // `options` go to Xvfb after the usual ones (which keep it off the network); with a
  // user, the server runs as that user (and group of that number).
  explicit XvfbServer(std::vector<std::string> options = {},
                      std::optional<uid_t> user = std::nullopt) {
    int number_pipe[2];
    if (pipe(number_pipe) != 0) return;
    std::vector<std::string> words = {"Xvfb",      "-displayfd", std::to_string(number_pipe[1]),
                                      "-screen",   "0",          "1280x1024x24",
                                      "-nolisten", "tcp"};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> arguments;
    for (auto& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    process_ = fork();
    if (process_ == 0) {
      close(number_pipe[0]);
      const int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
      if (user && (setgid(*user) != 0 || setuid(*user) != 0)) _exit(126);
      execvp("Xvfb", arguments.data());
      _exit(127);
    }
    close(number_pipe[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char character;
    while (read(number_pipe[0], &character, 1) == 1 && character != '\n')
      number.push_back(character);
    close(number_pipe[0]);
    if (!number.empty()) display_name_ = ":" + number;
  }

  ~XvfbServer() { stop(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool running() const { return !display_name_.empty() && process_ > 0; }
  const std::string& display_name() const { return display_name_; }
  pid_t process_id() const { return process_; }

  void stop() {
    if (process_ <= 0) return;
    kill(process_, SIGTERM);
    waitpid(process_, nullptr, 0);
    process_ = -1;
  }

 private:
  pid_t process_ = -1;
  std::string display_name_;
};

// Sets DISPLAY for the life of the object, then restores it.
class ScopedDisplayVariable {
 public:
  explicit ScopedDisplayVariable(const char* value) {
    if (const char* old = std::getenv("DISPLAY")) previous_ = old, had_ = true;
    if (value != nullptr)
      setenv("DISPLAY", value, 1);
    else
      unsetenv("DISPLAY");
  }
  ~ScopedDisplayVariable() {
    if (had_)
      setenv("DISPLAY", previous_.c_str(), 1);
    else
      unsetenv("DISPLAY");
  }

 private:
  std::string previous_;
  bool had_ = false;
};

}  // namespace curvist::testing
