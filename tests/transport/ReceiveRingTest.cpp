#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "support/TestEnvironment.h"
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

// A reader waiting for more takes each byte as soon as it is put. Its deadline lies far
// beyond the test's limit, so a reader left asleep fails the test instead of timing out.
TEST(ReceiveRing, AWaitingReaderIsWokenByEveryPut) {
  ReceiveRing ring;
  char out[3] = {};
  std::future<int> reader = std::async(
      std::launch::async, [&] { return ring.TakeUntil(out, 3, ReceiveRing::Clock::now() + 1h); });
  bool taken = true;
  // Once a byte is taken the reader holds the lock until it waits again, so each later put
  // finds it waiting.
  for (int i = 0; i < 3 && taken; ++i) {
    ring.Put("abc" + i, 1);
    taken = test::WaitUntil([&] { return ring.Available() == 0; }, 1s);
  }
  ring.MarkEnded();  // lets a reader left waiting go
  EXPECT_TRUE(taken) << "a byte stayed in the ring while the reader waited";
  EXPECT_EQ(reader.get(), 3);
  EXPECT_EQ(std::string(out, 3), "abc");
}

}  // namespace
}  // namespace vistrel
