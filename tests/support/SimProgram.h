#pragma once

// vistrel-sim started as a program of its own, for tests that need a camera on a real
// pseudo-terminal in another process.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace vistrel::test {

// vistrel-sim (or another of our programs) run with the given arguments, its standard
// output and error on pipes.
class SimProgram {
 public:
  explicit SimProgram(const std::vector<std::string>& args,
                      const std::string& path = VISTREL_SIM_PROGRAM) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
      return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> argv;
    std::string program = path;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }
  ~SimProgram() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(out_);
    ::close(err_);
  }

  // The first line of standard output, without its line end.
  std::string FirstLine() {
    std::string line;
    char c = 0;
    while (::read(out_, &c, 1) == 1 && c != '\n')
      line.push_back(c);
    return line;
  }
  static std::string ReadAll(int fd) {
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof(buffer))) > 0;)
      text.append(buffer, static_cast<size_t>(n));
    return text;
  }
  // Standard error up to and including the first line that holds `marker` (all of it when
  // none does).
  std::string ErrorsThrough(const std::string& marker) {
    std::string text;
    char c = 0;
    while (::read(err_, &c, 1) == 1) {
      text.push_back(c);
      if (c == '\n' && text.find(marker) != std::string::npos)
        break;
    }
    return text;
  }
  std::string Output() { return ReadAll(out_); }
  // Closes the reading end of standard output, as a reader that has gone (`head`) does.
  void CloseOutput() {
    ::close(out_);
    out_ = -1;
  }
  std::string Errors() { return ReadAll(err_); }
  void Signal(int signal) { ::kill(pid_, signal); }
  // Sends the signal (if any) and waits for the exit status.
  int Finish(int signal = 0) {
    if (signal != 0)
      ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
};

}  // namespace vistrel::test
