#include "pgplot/PictureProcess.hpp"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace curvist {
namespace {

// A descriptor above the standard three, so that it never stands in for one of them in
// the child (the caller may have closed standard input).
FileDescriptor above_standard(FileDescriptor descriptor) {
  if (descriptor.get() > STDERR_FILENO) return descriptor;
  return FileDescriptor(fcntl(descriptor.get(), F_DUPFD_CLOEXEC, STDERR_FILENO + 1));
}

}  // namespace

std::string picture_program_for(const std::optional<std::filesystem::path>& holder_file) {
  namespace fs = std::filesystem;
  if (!holder_file) return CURVIST_INSTALLED_PICTURE_PROGRAM;
  const fs::path in_its_folder = fs::path(CURVIST_PICTURE_FOLDER) / "curvist-picture";
  const fs::path holder_folder = holder_file->parent_path();
  const fs::path beside_library = holder_folder / in_its_folder;
  std::error_code unknown;
  if (fs::exists(beside_library, unknown)) return beside_library.string();
  return (holder_folder / CURVIST_LIBDIR_FROM_BINDIR / in_its_folder).lexically_normal().string();
}

std::string picture_program_path() {
  namespace fs = std::filesystem;
  // This code is in the shared library, beside the program's folder; or it is linked
  // into a program, whose library folder is where the installation puts it. Either is
  // found through its real file: a program is named as it was started (through a link,
  // under any name that `exec -a` gives it, relative to a folder it has left since), and
  // the library as it was loaded (through the link of its SONAME).
  Dl_info holder{};
  link_map* holder_map = nullptr;
  const bool in_library = dladdr1(reinterpret_cast<void*>(&picture_program_path), &holder,
                                  reinterpret_cast<void**>(&holder_map), RTLD_DL_LINKMAP) != 0 &&
                          holder_map != nullptr &&
                          holder_map->l_name[0] != '\0';  // the program's map has no name
  std::error_code unknown;
  const fs::path holder_file = in_library ? fs::canonical(holder_map->l_name, unknown)
                                          : fs::read_symlink("/proc/self/exe", unknown);
  if (unknown) return picture_program_for(std::nullopt);
  return picture_program_for(holder_file);
}

std::unique_ptr<PictureProcess> PictureProcess::start(std::string& why_not) {
  const std::string program = picture_program_path();
  std::array<int, 2> ends{-1, -1};
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
    why_not = std::string("no socket for ") + program + ": " + std::strerror(errno);
    return nullptr;
  }
  FileDescriptor ours = above_standard(FileDescriptor(ends[0]));
  const FileDescriptor theirs = above_standard(FileDescriptor(ends[1]));

  // The child's standard input is its end of the socket, its output and errors its own;
  // it inherits no other descriptor, no blocked signal and none of our signal handlers.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, theirs.get(), STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGUSR1})
    sigaddset(&signals, signal_number);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

  std::string name = "curvist-picture";
  std::array<char*, 2> arguments{name.data(), nullptr};
  pid_t process = -1;
  std::unique_ptr<PictureProcess> started;
  {
    // Started and registered to be ended on interruption as one step.
    const InterruptionsHeld held;
    const int error =
        posix_spawn(&process, program.c_str(), &actions, &attributes, arguments.data(), environ);
    if (error == 0)
      started.reset(new PictureProcess(process, std::move(ours)));
    else
      why_not = program + " cannot be started: " + std::strerror(error);
  }
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return started;
}

PictureProcess::~PictureProcess() {
  ended_on_interrupt_.reset();
  // The end of the stream tells the program to end; a picture it is still drawing is
  // finished (or given up) first. A program that was stopped is woken for that, and one
  // that takes too long is not waited for without end.
  socket_.reset();
  if (!waited_ && !child_ended_within(process_, 0)) {
    kill(process_, SIGCONT);
    child_ended_within(process_, 10000);
  }
  how_it_ended();
}

std::string PictureProcess::how_it_ended() {
  if (!waited_) {
    waited_ = true;
    // The program has closed its end of the socket, so it is ending, as a rule; one that
    // closed it and lives on, or answered nonsense, is no program of ours, and is ended
    // (a signal leaves the status of a program that is ending as it is).
    if (!child_ended_within(process_, 0)) end_child(process_);
    while (waitpid(process_, &status_, 0) < 0) {
      // Someone else (a host that reaps every child) has waited for it already.
      if (errno != EINTR) {
        status_ = -1;
        break;
      }
    }
  }
  if (WIFSIGNALED(status_))
    return std::string("it was ended by signal ") + std::to_string(WTERMSIG(status_)) + " (" +
           strsignal(WTERMSIG(status_)) + ")";
  if (WIFEXITED(status_)) return "it ended with status " + std::to_string(WEXITSTATUS(status_));
  return "it ended";
}

}  // namespace curvist
