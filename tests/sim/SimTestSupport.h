#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
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

  // Lines the camera takes, each answered "COMPLETE".
  void Accepts(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines)
      EXPECT_EQ(Ask(line), "COMPLETE") << line;
  }
  // Values the camera holds, written as its replies: "PE=2000" asks "PE?".
  void Holds(std::initializer_list<std::string_view> replies) {
    for (std::string_view reply : replies)
      EXPECT_EQ(Ask(std::string(reply.substr(0, reply.find('='))) + "?"), reply);
  }
  // Lines the camera refuses with `error`.
  void Refuses(std::string_view error, std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines)
      EXPECT_EQ(Ask(line), error) << line;
  }

  SimTime now = SimTime{} + std::chrono::hours(1);
  SimCamera camera;
};

inline SimConfig ModelConfig(const std::string& model) {
  SimConfig config;
  config.model = model;
  return config;
}

}  // namespace vistrel::test
