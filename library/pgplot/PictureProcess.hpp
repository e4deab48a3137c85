#pragma once
// curvist-picture, the program that draws the pictures, as a child process: started with
// nothing of ours but one end of a socket (which only it and we hold), in a process group
// of its own so that a Ctrl-C at the terminal is its caller's to handle, and ended when
// this goes (the socket closed, the program waited for).

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "files/FileDescriptor.hpp"
#include "files/Interruption.hpp"

namespace curvist {

class PictureProcess {
 public:
  // Starts the program found beside the library; nothing when it cannot be started, and
  // then `why_not` says why.
  static std::unique_ptr<PictureProcess> start(std::string& why_not);
  ~PictureProcess();
  PictureProcess(const PictureProcess&) = delete;
  PictureProcess& operator=(const PictureProcess&) = delete;

  int socket() const { return socket_.get(); }
  pid_t process() const { return process_; }

  // Ends the program, once the socket has told that it is ending or it is of no more use,
  // waits for it, and says how it ended: "it was ended by signal 9 (Killed)", "it ended
  // with status 3".
  std::string how_it_ended();

 private:
  PictureProcess(pid_t process, FileDescriptor socket)
      : process_(process), socket_(std::move(socket)), ended_on_interrupt_(process) {}

  pid_t process_;
  FileDescriptor socket_;
  // An interruption of a caller that asked for its temporary files to be removed ends
  // the program first, which then removes the picture it was drawing.
  std::optional<ChildEndedOnInterrupt> ended_on_interrupt_;
  bool waited_ = false;
  int status_ = 0;  // as waitpid gave it
};

// Where curvist-picture is: in the folder "curvist<N>" of the library folder (N the
// library's SONAME version), found from the real file that holds this code (the shared
// library, or a program linked with the library's code, through any link) in the build
// tree as in any installation.
std::string picture_program_path();

// Where curvist-picture is for code held in `holder_file`. With no such file known (the
// program named relatively and /proc not mounted, as in a bare chroot), it is where the
// installation was configured to put it.
std::string picture_program_for(const std::optional<std::filesystem::path>& holder_file);

}  // namespace curvist
