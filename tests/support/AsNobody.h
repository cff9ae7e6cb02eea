#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace vistrel::test {

constexpr uid_t kNobody = 65534;

// What `run` returns when it runs in a child process as the user nobody, without
// supplementary groups (the caller must be root).
inline std::string OutputAsNobody(const std::function<std::string()>& run) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0)
    return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
      ::_exit(2);
    const std::string text = run();
    [[maybe_unused]] ssize_t n = ::write(pipeFds[1], text.data(), text.size());
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string text;
  char chunk[512];
  for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;)
    text.append(chunk, size_t(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return text;
}

}  // namespace vistrel::test
