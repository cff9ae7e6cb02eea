#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "transport/ReceiveRing.h"

namespace vistrel {
namespace {

using namespace std::chrono_literals;

std::string Pattern(int length, int offset = 0) {
  std::string bytes;
  for (int i = 0; i < length; ++i)
    bytes += char('A' + (i + offset) % 26);
  return bytes;
}

TEST(ReceiveRing, AWriterWaitingForRoomIsReleasedByTheReaderOrByStop) {
  ReceiveRing ring;
  const std::string full = Pattern(ReceiveRing::kCapacity);
  ring.Put(full.data(), int(full.size()));
  std::thread reader([&] {
    std::this_thread::sleep_for(20ms);
    char out[1];
    ring.Take(out, 1);
  });
  EXPECT_TRUE(ring.WaitForSpace());
  reader.join();

  ring.Put("x", 1);
  std::thread stopper([&] {
    std::this_thread::sleep_for(20ms);
    ring.Stop();
  });
  EXPECT_FALSE(ring.WaitForSpace());
  stopper.join();
  ring.Reset();
  EXPECT_EQ(ring.Available(), 0);
  EXPECT_TRUE(ring.WaitForSpace());
}

}  // namespace
}  // namespace vistrel
