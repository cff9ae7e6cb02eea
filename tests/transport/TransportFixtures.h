#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TestEnvironment.h"

namespace vistrel::test {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The far side of a pseudo-terminal: the test opens the slave as a serial port. A thread
// collects what arrives and, when a responder is set, answers each complete line.
class PtyPeer {
 public:
  using Responder = std::function<std::string(const std::string& line)>;

  explicit PtyPeer(Responder responder = nullptr) : responder_(std::move(responder)) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::grantpt(master_);
    ::unlockpt(master_);
    slave_ = ::ptsname(master_);
    ::pipe2(wake_, O_CLOEXEC);
    thread_ = std::thread([this] { Serve(); });
  }
  ~PtyPeer() { HangUp(); }

  const std::string& SlavePath() const { return slave_; }

  void Send(const std::string& bytes) {
    std::lock_guard lock(writeMutex_);
    size_t done = 0;
    while (master_ >= 0 && done < bytes.size()) {
      ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += size_t(n);
      } else {
        pollfd out = {master_, POLLOUT, 0};
        ::poll(&out, 1, 100);
      }
    }
  }

  // Closes the master side: the port sees the line hung up.
  void HangUp() {
    if (thread_.joinable()) {
      const char byte = 0;
      [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
      thread_.join();
      ::close(wake_[0]);
      ::close(wake_[1]);
    }
    std::lock_guard lock(writeMutex_);
    if (master_ >= 0)
      ::close(master_);
    master_ = -1;
  }

  std::string Received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }
  // Waits up to `limit` until `text` has arrived.
  bool WaitFor(const std::string& text,
               std::chrono::milliseconds limit = std::chrono::milliseconds(2000)) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (Received().find(text) != std::string::npos)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }

 private:
  void Serve() {
    std::string line;
    for (;;) {
      pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0)
        continue;
      if (fds[1].revents)
        return;
      if (!(fds[0].revents & POLLIN)) {
        // No slave opened yet (or closed again): the master reports a hang-up.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        continue;
      }
      char chunk[256];
      const ssize_t n = ::read(master_, chunk, sizeof chunk);
      if (n <= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        continue;
      }
      {
        std::lock_guard lock(mutex_);
        received_.append(chunk, size_t(n));
      }
      for (ssize_t i = 0; i < n; ++i) {
        line += chunk[i];
        if (chunk[i] != '\n')
          continue;
        if (responder_)
          Send(responder_(line));
        line.clear();
      }
    }
  }

  Responder responder_;
  int master_ = -1;
  int wake_[2] = {-1, -1};
  std::string slave_;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::mutex writeMutex_;
  std::string received_;
};

}  // namespace vistrel::test
