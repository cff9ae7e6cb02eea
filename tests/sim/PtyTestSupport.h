#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace vistrel::test {

// The test's end of a pseudo-terminal: the slave opened as a raw serial device.
class SlaveLine {
 public:
  explicit SlaveLine(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0)
      return;
    termios tio{};
    ::tcgetattr(fd_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd_, TCSANOW, &tio);
  }
  ~SlaveLine() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  SlaveLine(const SlaveLine&) = delete;
  SlaveLine& operator=(const SlaveLine&) = delete;

  bool Send(const std::string& text) {
    return ::write(fd_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  // Bytes up to and including the first LF, or whatever came before the limit ran out.
  std::string ReadLine(int limitMs) {
    std::string line;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (line.empty() || line.back() != '\n') {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      if (left.count() <= 0)
        break;
      pollfd pfd{fd_, POLLIN, 0};
      if (::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
        break;
      if (!(pfd.revents & POLLIN)) {
        hungUp_ = (pfd.revents & POLLHUP) != 0;
        break;
      }
      char c = 0;
      const ssize_t n = ::read(fd_, &c, 1);
      if (n <= 0) {
        hungUp_ = true;
        break;
      }
      line.push_back(c);
    }
    return line;
  }
  std::string Ask(const std::string& line, int limitMs = 2000) {
    Send(line + "\r\n");
    return ReadLine(limitMs);
  }
  bool HungUp() const { return hungUp_; }

 private:
  int fd_ = -1;
  bool hungUp_ = false;
};

}  // namespace vistrel::test
