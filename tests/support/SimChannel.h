#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/Interfaces.h"
#include "sim/SimPeer.h"

namespace vistrel::test {

// The in-process simulated camera as the engine's channel. Lines that start with one of the
// `refused` prefixes are answered with an error instead of reaching the camera.
class SimChannel : public ISerialChannel {
 public:
  explicit SimChannel(SimConfig config = {}) : peer(std::move(config)) {}

  bool Write(const std::string& text) override {
    written.push_back(text);
    for (const std::string& prefix : refused) {
      if (text.starts_with(prefix)) {
        pending_ += "ERROR: refused for the test\r\n";
        return true;
      }
    }
    pending_ += peer.Exchange(text);
    return true;
  }

  int Read(char* buffer, int count, int limitMs) override {
    if (pending_.empty()) {
      if (limitMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(limitMs));
      return 0;
    }
    const int n = std::min<int>(count, static_cast<int>(pending_.size()));
    pending_.copy(buffer, static_cast<size_t>(n));
    pending_.erase(0, static_cast<size_t>(n));
    return n;
  }

  // The lines written, without their line ends.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const std::string& text : written)
      lines.push_back(text.substr(0, text.find('\r')));
    return lines;
  }

  SimPeer peer;
  std::vector<std::string> written;
  std::vector<std::string> refused;

 private:
  std::string pending_;
};

}  // namespace vistrel::test
