#include "core/Clock.h"

#include <thread>

namespace vistrel {

int IClock::RemainingMs(Duration deadline) const {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

IClock::Duration SteadyClock::Now() const {
  return std::chrono::steady_clock::now().time_since_epoch();
}

void SteadyClock::Pause(int ms) {
  if (ms > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void ManualClock::Pause(int ms) {
  pauses.push_back(ms);
  Advance(ms);
}

}  // namespace vistrel
