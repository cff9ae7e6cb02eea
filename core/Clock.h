#pragma once

#include <chrono>
#include <vector>

namespace vistrel {

// Where the engine and the camera passes take the time from, and how they pause. The
// program runs on the steady clock; tests and fuzzers hand in a manual clock, so that a
// limit or a pause is something they can read back instead of something they wait out.
class IClock {
 public:
  using Duration = std::chrono::steady_clock::duration;
  virtual ~IClock() = default;
  // Time since a fixed start; never goes back.
  virtual Duration Now() const = 0;
  // Pauses the caller for `ms` milliseconds (nothing for 0 or less).
  virtual void Pause(int ms) = 0;
  // Whole milliseconds from now until `deadline`, rounded up; 0 once it has passed.
  int RemainingMs(Duration deadline) const;
  // The point `ms` milliseconds from now.
  Duration After(int ms) const { return Now() + std::chrono::milliseconds(ms); }
};

class SteadyClock final : public IClock {
 public:
  Duration Now() const override;
  void Pause(int ms) override;
};

// A clock that moves only when told to (Advance) or when someone pauses on it; it keeps the
// pauses it was asked for, in order.
class ManualClock final : public IClock {
 public:
  Duration Now() const override { return now_; }
  void Pause(int ms) override;
  void Advance(int ms) { now_ += std::chrono::milliseconds(ms > 0 ? ms : 0); }
  // Milliseconds since the clock was made.
  long long ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(now_).count();
  }

  std::vector<int> pauses;

 private:
  Duration now_{};
};

}  // namespace vistrel
