#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace vistrel::test {

// Another program, running under `name` until the object ends (or Stop); with `device`, it
// holds that device open, as a terminal program does.
class OtherProgram {
 public:
  explicit OtherProgram(const char* name, const std::string& device = {}) {
    int ready[2];
    if (::pipe(ready) != 0)
      return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_NAME, name);
      if (!device.empty())
        ::open(device.c_str(), O_RDWR | O_NOCTTY);
      [[maybe_unused]] ssize_t n = ::write(ready[1], "x", 1);
      for (;;)
        ::pause();
    }
    char byte = 0;
    [[maybe_unused]] ssize_t n = ::read(ready[0], &byte, 1);
    ::close(ready[0]);
    ::close(ready[1]);
  }
  ~OtherProgram() { Stop(); }
  OtherProgram(const OtherProgram&) = delete;
  OtherProgram& operator=(const OtherProgram&) = delete;

  pid_t Pid() const { return pid_; }
  // Ends the program; its id then names a process that no longer exists.
  void Stop() {
    if (pid_ <= 0)
      return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -pid_;
  }

 private:
  pid_t pid_ = 0;
};

}  // namespace vistrel::test
