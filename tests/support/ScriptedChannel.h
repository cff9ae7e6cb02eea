#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/Clock.h"
#include "core/Interfaces.h"

namespace vistrel::test {

// A channel whose far end is a function from the line written to the bytes that come back.
// Bytes can also be pushed in directly, as if they arrived unasked.
class ScriptedChannel : public ISerialChannel {
 public:
  using Responder = std::function<std::string(const std::string& line)>;

  explicit ScriptedChannel(Responder responder = {}) : responder_(std::move(responder)) {}

  bool Write(const std::string& text) override {
    written.push_back(text);
    if (!writeOk)
      return false;
    if (responder_)
      pending_ += responder_(text);
    return true;
  }

  int Read(char* buffer, int count, int limitMs) override {
    ++reads;
    if (pending_.empty()) {
      // Nothing will arrive: wait out the limit once, as a blocking channel would; on a
      // manual clock that is moving the clock on. A reader that keeps looking without a limit
      // would never see a manual clock move: the test fails, and the clock jumps past any
      // limit so that the reader gives up.
      idleLooks_ = limitMs > 0 ? 0 : idleLooks_ + 1;
      if (idleLooks_ == kIdleLookLimit) {
        ADD_FAILURE() << "the reader keeps looking at a channel where nothing arrives";
        if (clock != nullptr)
          clock->Advance(kPastAnyLimitMs);
      }
      if (clock != nullptr)
        clock->Advance(limitMs);
      else if (limitMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(limitMs));
      return 0;
    }
    idleLooks_ = 0;
    const int n = std::min<int>(count, static_cast<int>(pending_.size()));
    pending_.copy(buffer, static_cast<size_t>(n));
    pending_.erase(0, static_cast<size_t>(n));
    return n;
  }

  void Push(const std::string& bytes) { pending_ += bytes; }
  void SetResponder(Responder responder) { responder_ = std::move(responder); }

  std::vector<std::string> written;
  bool writeOk = true;
  int reads = 0;
  // When set, waits for bytes that never come move this clock instead of taking real time.
  ManualClock* clock = nullptr;

 private:
  static constexpr int kIdleLookLimit = 10000;
  static constexpr int kPastAnyLimitMs = 3600 * 1000;

  Responder responder_;
  int idleLooks_ = 0;
  std::string pending_;
};

}  // namespace vistrel::test
