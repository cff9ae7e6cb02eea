#pragma once

// The page handlers of the adjustments and entry tables on the in-process simulated camera,
// with a widget-free panel and polling limits of milliseconds.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/HandlerRig.h"

namespace vistrel::test {

// Cancels at the `cancelAt`-th wait (0: never); counts the waits and polls. Pauses on
// `clock` when one is set.
class CountingWatch : public IAdjustWatch {
 public:
  bool Wait(int ms) override {
    if (clock != nullptr)
      clock->Pause(ms);
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return ++waits != cancelAt;
  }
  void Polled(int, std::optional<int32_t> status) override { statuses.push_back(status); }
  int waits = 0;
  int cancelAt = 0;
  IClock* clock = nullptr;
  std::vector<std::optional<int32_t>> statuses;
};

inline SimConfig ScriptedStatuses(std::vector<int32_t> statuses) {
  SimConfig config;
  config.statusScript = std::move(statuses);
  return config;
}

class HandlerFixture : public HandlerRig {
 public:
  explicit HandlerFixture(SimConfig config = {}) : HandlerRig(std::move(config)) {
    session.SetAdjustWatch(&watch);
    PollLimits poll;
    poll.intervalMs = 1;
    poll.totalMs = 2000;
    poll.queryMs = 30;
    session.SetPoll(poll);
    table.MarkAllSent();  // as after reading the camera: nothing waits to be sent
  }

  // The lines written since the last call.
  std::vector<std::string> TakeLines() {
    std::vector<std::string> lines = channel.Lines();
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(taken_));
    taken_ = channel.Lines().size();
    return lines;
  }
  // Lets the camera leave lines starting with `prefix` unanswered.
  void Silence(const std::string& prefix) {
    channel.SetResponder([this, prefix](const std::string& text) -> std::string {
      return text.starts_with(prefix) ? std::string() : channel.peer.Exchange(text);
    });
  }
  std::string LastMessage() const {
    return presenter.messages.empty() ? std::string() : presenter.messages.back().text;
  }

  // Runs the engine, the camera's silence and the watch's pauses on `clock`.
  void UseClock(ManualClock& clock) {
    engine.SetClock(&clock);
    channel.clock = &clock;
    watch.clock = &clock;
  }

  CountingWatch watch;

 private:
  size_t taken_ = 0;
};

}  // namespace vistrel::test
