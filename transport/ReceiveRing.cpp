#include "transport/ReceiveRing.h"

#include <algorithm>

namespace vistrel {

int ReceiveRing::AvailableLocked() const {
  int count = writeIndex_ - readIndex_;
  return count < 0 ? count + kSize : count;
}

int ReceiveRing::Available() const {
  std::lock_guard lock(mutex_);
  return AvailableLocked();
}

int ReceiveRing::Space() const {
  std::lock_guard lock(mutex_);
  return kCapacity - AvailableLocked();
}

int ReceiveRing::Put(const char* bytes, int length) {
  int stored = 0;
  {
    std::lock_guard lock(mutex_);
    stored = std::min(length, kCapacity - AvailableLocked());
    for (int i = 0; i < stored; ++i) {
      bytes_[writeIndex_] = bytes[i];
      writeIndex_ = (writeIndex_ + 1) % kSize;
    }
  }
  if (stored > 0)
    dataArrived_.notify_one();
  return stored;
}

bool ReceiveRing::WaitForSpace() {
  std::unique_lock lock(mutex_);
  roomMade_.wait(lock, [this] { return stopped_ || AvailableLocked() < kCapacity; });
  return !stopped_;
}

int ReceiveRing::TakeLocked(char* buffer, int max) {
  const bool wasFull = AvailableLocked() == kCapacity;
  int taken = 0;
  while (taken < max && readIndex_ != writeIndex_) {
    buffer[taken++] = bytes_[readIndex_];
    readIndex_ = (readIndex_ + 1) % kSize;
  }
  if (wasFull && taken > 0)
    roomMade_.notify_one();
  return taken;
}

int ReceiveRing::Take(char* buffer, int max) {
  if (max < 1)
    return 0;
  std::lock_guard lock(mutex_);
  return TakeLocked(buffer, max);
}

int ReceiveRing::TakeUntil(char* buffer, int count, Clock::time_point deadline) {
  if (count < 1)
    return 0;
  std::unique_lock lock(mutex_);
  int total = TakeLocked(buffer, count);
  while (total < count) {
    // A wait whose time is already up would still cost a trip through the scheduler.
    if (Clock::now() >= deadline)
      break;
    if (!dataArrived_.wait_until(lock, deadline,
                                 [this] { return ended_ || AvailableLocked() > 0; }))
      break;
    if (AvailableLocked() == 0)
      break;  // ended: waiting longer brings nothing
    total += TakeLocked(buffer + total, count - total);
  }
  return total;
}

void ReceiveRing::Reset() {
  std::lock_guard lock(mutex_);
  writeIndex_ = 0;
  readIndex_ = 0;
  stopped_ = false;
  ended_ = false;
}

void ReceiveRing::MarkEnded() {
  {
    std::lock_guard lock(mutex_);
    ended_ = true;
  }
  dataArrived_.notify_all();
}

bool ReceiveRing::Ended() const {
  std::lock_guard lock(mutex_);
  return ended_;
}

void ReceiveRing::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  roomMade_.notify_all();
}

}  // namespace vistrel
