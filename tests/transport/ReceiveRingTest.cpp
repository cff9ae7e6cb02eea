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

TEST(ReceiveRing, AFullRingRefusesBytesInsteadOfOverwritingUnreadOnes) {
  ReceiveRing ring;
  const std::string first = Pattern(1000);
  EXPECT_EQ(ring.Put(first.data(), 1000), 1000);
  const std::string more = Pattern(100, 1000);
  EXPECT_EQ(ring.Put(more.data(), 100), 23);  // 1023 unread at most
  EXPECT_EQ(ring.Available(), ReceiveRing::kCapacity);
  EXPECT_EQ(ring.Space(), 0);

  char out[2048];
  ASSERT_EQ(ring.Take(out, 10), 10);
  EXPECT_EQ(std::string(out, 10), first.substr(0, 10));
  EXPECT_EQ(ring.Put(more.data() + 23, 77), 10);
  // Everything that was taken in comes out once, in order, across the wrap.
  ASSERT_EQ(ring.Take(out, 2048), ReceiveRing::kCapacity);
  EXPECT_EQ(std::string(out, 990), first.substr(10));
  EXPECT_EQ(std::string(out + 990, 33), more.substr(0, 33));
  EXPECT_EQ(ring.Take(out, 1), 0);
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
