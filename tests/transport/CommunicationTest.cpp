#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "TransportFixtures.h"
#include "core/Clock.h"
#include "support/Recorders.h"
#include "transport/CCommunication.h"

namespace vistrel {
namespace {

using namespace std::chrono_literals;
using test::PtyPeer;
using test::RecordingPresenter;
using test::RecordingTraffic;
using test::TempFolder;

constexpr uint32_t kCom = 0;

// A settings folder whose COM1 to COM3 lead to pseudo-terminals served by test peers.
class CommunicationTest : public ::testing::Test {
 protected:
  void LinkPort(int index, const std::string& device) {
    std::filesystem::create_directories(temp / "ports");
    const std::string link = temp / ("ports/COM" + std::to_string(index + 1));
    std::filesystem::remove(link);
    std::filesystem::create_symlink(device, link);
  }

  TempFolder temp;
  RecordingPresenter messages;
  RecordingTraffic terminal;
  RecordingTraffic commandLog;
  TrafficFanOut traffic;
  StoredSettings store{temp.Path()};
  CCommunication channel{store, messages, traffic};
};

TEST_F(CommunicationTest, TheChoiceComesFromTheStoreAndGoesBackAtTheEnd) {
  {
    StoredSettings store(temp.Path());
    store.SetStoredNumbers({{kStoredCommunicationMode, 2},
                            {kStoredBaudrate, 230400},
                            {kStoredComPortNo, 5},
                            {kStoredCl2000Index, 1},
                            {kStoredCl2001Index, 3},
                            {kStoredClVer11Index, 4}});
    CCommunication channel(store, messages, traffic);
    EXPECT_EQ(channel.GetMode(), 2u);
    EXPECT_EQ(channel.GetBaudRate(), 230400u);
    EXPECT_EQ(channel.GetPortIndex(), 3u);
    EXPECT_EQ(channel.GetPortIndex(0), 5u);
    // A rate outside the list shows as its first entry but is kept.
    EXPECT_EQ(channel.BaudRateIndex(), 0);

    // A COM port that does not exist: one message, the choice is kept anyway.
    LinkPort(6, temp / "missing-device");
    EXPECT_FALSE(channel.Open(kCom, 38400, 6));
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(channel.BaudRateIndex(), 2);
  }
  StoredSettings store(temp.Path());
  EXPECT_EQ(store.GetStoredNumber(kStoredCommunicationMode, 9).value, 0u);
  EXPECT_EQ(store.GetStoredNumber(kStoredBaudrate, 9).value, 38400u);
  EXPECT_EQ(store.GetStoredNumber(kStoredComPortNo, 9).value, 6u);
  EXPECT_EQ(store.GetStoredNumber(kStoredCl2000Index, 9).value, 1u);
  EXPECT_EQ(store.GetStoredNumber(kStoredCl2001Index, 9).value, 3u);
  EXPECT_EQ(store.GetStoredNumber(kStoredClVer11Index, 9).value, 4u);

  // A run whose channel was chosen for that run only leaves the store alone.
  {
    CCommunication channel(store, messages, traffic);
    channel.SetWriteBack(false);
    channel.Open(kCom, 9600, 1);
  }
  EXPECT_EQ(store.GetStoredNumber(kStoredComPortNo, 9).value, 6u);
}

TEST_F(CommunicationTest, BaudListPortNamesAndModesOutsideTheTable) {
  EXPECT_EQ(CCommunication::BaudRateFromIndex(5), 9600u);
  EXPECT_EQ(CCommunication::BaudRateFromIndex(-1), 9600u);

  EXPECT_EQ(channel.GetPortCount(), 32);
  EXPECT_EQ(channel.GetPortName(0), "COM1");
  EXPECT_EQ(channel.GetPortName(31), "COM32");
  EXPECT_EQ(channel.GetPortName(32), "ERROR");
  EXPECT_EQ(channel.GetPortName(-1), "ERROR");
  EXPECT_EQ(channel.GetPortDevice(1), "/dev/ttyS1");
  LinkPort(1, "/dev/pts/42");
  EXPECT_EQ(channel.GetPortDevice(1), "/dev/pts/42");

  PtyPeer peer;
  LinkPort(0, peer.SlavePath());
  ASSERT_TRUE(channel.Open(kCom, 9600, 0));
  channel.SetMode(7);
  EXPECT_EQ(channel.GetPortName(0), "ERROR");
  EXPECT_EQ(channel.GetPortCount(), 0);
  EXPECT_EQ(channel.GetPortIndex(), 0u);
  EXPECT_FALSE(channel.Reopen());
  EXPECT_FALSE(channel.OpenMode(4));
  EXPECT_TRUE(channel.ComPort().IsOpen()) << "a failed reopen closes nothing";
  // Nothing can be sent in an unknown mode, and nothing is logged.
  EXPECT_FALSE(channel.Write("A=1\r\n"));
  EXPECT_TRUE(terminal.lines.empty());
}

TEST_F(CommunicationTest, OpenPassesTheRateAsStoredAndReopenUsesTheChoice) {
  PtyPeer first;
  PtyPeer second;
  LinkPort(0, first.SlavePath());
  LinkPort(2, second.SlavePath());
  auto speedOf = [](const std::string& device) {
    termios t{};
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    ::tcgetattr(fd, &t);
    ::close(fd);
    return ::cfgetospeed(&t);
  };

  ASSERT_TRUE(channel.Open(kCom, 230400, 0));
  EXPECT_EQ(speedOf(first.SlavePath()), speed_t(B230400));
  ASSERT_TRUE(channel.OpenPort(2));
  EXPECT_EQ(channel.GetPortIndex(), 2u);
  EXPECT_EQ(speedOf(second.SlavePath()), speed_t(B230400));
  ASSERT_TRUE(channel.OpenBaudRate(57600));
  EXPECT_EQ(speedOf(second.SlavePath()), speed_t(B57600));
  // Every open closes the previous channel first: the first port is free again.
  RecordingPresenter quiet;
  CRs232c other(quiet);
  EXPECT_TRUE(other.Open(first.SlavePath(), "COM1", 9600, 8, 0, false, false));
  channel.Close();
  EXPECT_FALSE(channel.IsOpen());
  ASSERT_TRUE(channel.Reopen());
  EXPECT_TRUE(channel.Write("X\r\n"));
  EXPECT_TRUE(second.WaitFor("X\r\n"));

  // The device path form opens in COM port mode and keeps the stored COM port index.
  ASSERT_TRUE(channel.OpenDevice(second.SlavePath(), 19200));
  EXPECT_EQ(channel.GetMode(), kCom);
  EXPECT_EQ(channel.GetPortIndex(), 2u);
  EXPECT_EQ(speedOf(second.SlavePath()), speed_t(B19200));
}

TEST_F(CommunicationTest, WriteLogsTheLineAndReportsTheChannelsResult) {
  traffic.Add(&terminal);
  traffic.Add(&commandLog);
  // Nothing open: the line is logged but the write fails.
  EXPECT_FALSE(channel.Write("ABC\r\n"));
  PtyPeer peer;
  LinkPort(0, peer.SlavePath());
  ASSERT_TRUE(channel.Open(kCom, 9600, 0));
  EXPECT_TRUE(channel.Write("ABC\n\r\n"));
  EXPECT_TRUE(channel.Write("ABC"));
  EXPECT_TRUE(channel.Write("A\rB\r\n"));
  const std::vector<std::string> expected = {"Tx: ABC", "Tx: ABC", "Tx: ABC", "Tx: A\\x0dB"};
  EXPECT_EQ(terminal.lines, expected);
  EXPECT_EQ(commandLog.lines, expected);
  EXPECT_TRUE(peer.WaitFor("ABC\n\r\nABCA\rB\r\n"));
  EXPECT_EQ(peer.Received(), "ABC\n\r\nABCA\rB\r\n");
}

TEST_F(CommunicationTest, ReadDeliversTheCountOrWhatCameWithinTheLimit) {
  PtyPeer peer;
  LinkPort(0, peer.SlavePath());
  ASSERT_TRUE(channel.Open(kCom, 9600, 0));
  char buffer[8] = {};

  peer.Send("abc");
  EXPECT_EQ(channel.Read(buffer, 5, 100), 3);
  EXPECT_EQ(std::string(buffer, 3), "abc");
  // Bytes that come later within the limit are waited for.
  peer.Send("ab");
  std::thread later([&peer] {
    std::this_thread::sleep_for(50ms);
    peer.Send("cde");
  });
  EXPECT_EQ(channel.Read(buffer, 5, 5000), 5);
  later.join();
  EXPECT_EQ(std::string(buffer, 5), "abcde");

  peer.Send("1234567");
  EXPECT_EQ(channel.Read(buffer, 5, 5000), 5);
  EXPECT_EQ(std::string(buffer, 5), "12345");
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(channel.Read(buffer, 5, 0), 2) << "the rest stays for the next read";
  EXPECT_EQ(std::string(buffer, 2), "67");

  ManualClock clock;
  channel.SetClock(&clock);
  EXPECT_EQ(channel.Read(buffer, 1, 0), 0);
  EXPECT_EQ(channel.Read(buffer, 0, 1000), 0);

  // A closed channel still takes the limit, so that a polling caller does not spin.
  channel.Close();
  EXPECT_EQ(channel.Read(buffer, 1, 50), 0);
  channel.SetMode(uint32_t(CommunicationMode::CameraLinkVer11) + 1);
  EXPECT_EQ(channel.Read(buffer, 1, 60), 0);
  EXPECT_EQ(clock.pauses, (std::vector<int>{50, 60}));
}

}  // namespace
}  // namespace vistrel
