#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "sim/SimCamera.h"
#include "support/TestEnvironment.h"

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

}  // namespace vistrel::test
