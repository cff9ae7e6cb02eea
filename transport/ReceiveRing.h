#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vistrel {

// The 1024-byte ring between the receive thread of a COM port and the reader. It holds at
// most 1023 unread bytes (equal indices mean empty). The receive thread never overwrites
// unread bytes: it puts only what fits and waits for room, so further bytes stay with the
// driver until the reader has taken some.
class ReceiveRing {
 public:
  static constexpr int kSize = 1024;
  static constexpr int kCapacity = kSize - 1;
  using Clock = std::chrono::steady_clock;

  // Number of unread bytes.
  int Available() const;
  // Number of bytes that can be put without touching unread ones.
  int Space() const;

  // Receive side: stores up to `length` bytes (no more than Space) and wakes a waiting
  // reader; returns how many were stored.
  int Put(const char* bytes, int length);
  // Receive side: waits until there is room; false once Stop was called.
  bool WaitForSpace();

  // Reader side: takes up to `max` bytes that have already arrived.
  int Take(char* buffer, int max);
  // Reader side: takes bytes until `count` are delivered or `deadline` passes.
  int TakeUntil(char* buffer, int count, Clock::time_point deadline);

  // Receive side: nothing more will arrive (the line was hung up); wakes a waiting reader.
  void MarkEnded();
  // True after MarkEnded, until Reset.
  bool Ended() const;

  // Empties the ring and clears the stop request and the end mark.
  void Reset();
  // Makes WaitForSpace return false (used when the port closes).
  void Stop();

 private:
  int AvailableLocked() const;
  int TakeLocked(char* buffer, int max);

  mutable std::mutex mutex_;
  std::condition_variable dataArrived_;
  std::condition_variable roomMade_;
  char bytes_[kSize] = {};
  int writeIndex_ = 0;
  int readIndex_ = 0;
  bool stopped_ = false;
  bool ended_ = false;
};

}  // namespace vistrel
