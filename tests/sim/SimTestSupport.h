#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "sim/SimCamera.h"

namespace vistrel::test {

// A simulated camera on a clock that only moves when the test says so.
class SimBench {
 public:
  explicit SimBench(SimConfig config = {}) : camera(std::move(config), now) {}

  // One line in (CR LF appended), the reply out without its CR LF; empty for no reply.
  std::string Ask(std::string_view line) {
    std::string reply = camera.Receive(std::string(line) + "\r\n", now);
    if (reply.size() >= 2 && reply.compare(reply.size() - 2, 2, "\r\n") == 0)
      reply.resize(reply.size() - 2);
    return reply;
  }
  void Wait(std::chrono::milliseconds span) { now += span; }

  SimTime now = SimTime{} + std::chrono::hours(1);
  SimCamera camera;
};

inline SimConfig ModelConfig(const std::string& model) {
  SimConfig config;
  config.model = model;
  return config;
}

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vistrel-sim-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace vistrel::test
