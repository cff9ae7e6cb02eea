#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <filesystem>

#include "TransportFixtures.h"
#include "support/Recorders.h"
#include "support/TestEnvironment.h"
#include "transport/CRs232c.h"
#include "transport/ComPortNames.h"

namespace vistrel {
namespace {

using namespace std::chrono_literals;
using test::PtyPeer;
using test::RecordingPresenter;
using test::TempFolder;

std::string ReadLine(CRs232c& port, int limitMs = 2000) {
  std::string line;
  char byte = 0;
  while (port.Read(&byte, 1, limitMs) == 1) {
    line += byte;
    if (byte == '\n')
      break;
  }
  return line;
}

class Rs232c : public ::testing::Test {
 protected:
  RecordingPresenter messages;
  CRs232c port{messages};
};

TEST_F(Rs232c, OpensRawAndExchangesLines) {
  PtyPeer peer([](const std::string& line) { return "ECHO " + line; });
  ASSERT_TRUE(port.Open(peer.SlavePath(), "COM3", 115200, 8, 0, false, false));
  EXPECT_TRUE(messages.messages.empty());

  // The line is raw 8N1 at the requested rate: a CR LF goes through untouched.
  termios applied{};
  const int probe = ::open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(probe, 0);
  ASSERT_EQ(::tcgetattr(probe, &applied), 0);
  ::close(probe);
  EXPECT_EQ(::cfgetospeed(&applied), speed_t(B115200));
  EXPECT_EQ(applied.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(applied.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(applied.c_iflag & (IXON | IXOFF | ICRNL), 0u);
  EXPECT_EQ(applied.c_lflag & (ICANON | ECHO), 0u);

  ASSERT_TRUE(port.Write("MD?\r\n", 5));
  EXPECT_EQ(ReadLine(port), "ECHO MD?\r\n");
  EXPECT_FALSE(port.Write("", 0));
}

TEST_F(Rs232c, FailedOpensShowTheMessageOfTheirStepAndStayClosed) {
  TempFolder temp;
  PtyPeer peer;
  struct Case {
    std::string device;
    uint32_t baud;
    std::string message;
  } cases[] = {
      {temp / "no-such-device", 9600,
       "Failed to initialize COM7 port!\nError in CreateFile()\nThere is no such device: " +
           temp / "no-such-device" +
           ".\nCheck that the adapter is plugged in, or choose the port it appears as."},
      {peer.SlavePath(), 14400, "Failed to initialize COM7 port!\nError in SetCommState()"},
  };
  for (const Case& c : cases) {
    RecordingPresenter messages;
    CRs232c port(messages);
    EXPECT_FALSE(port.Open(c.device, "COM7", c.baud, 8, 0, false, false)) << c.device;
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(messages.messages.size(), 1u) << c.device;
    EXPECT_EQ(messages.messages[0].text, c.message);
    EXPECT_EQ(messages.messages[0].caption, "");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
    char byte;
    EXPECT_EQ(port.Read(&byte, 1), 0);
    port.SetReportFailures(false);
    EXPECT_FALSE(port.Open(c.device, "COM7", c.baud, 8, 0, false, false));
    EXPECT_EQ(messages.messages.size(), 1u) << "a quiet port shows nothing";
  }
}

TEST_F(Rs232c, AFloodWithoutLineEndLosesNoByte) {
  PtyPeer peer;
  ASSERT_TRUE(port.Open(peer.SlavePath(), "COM1", 115200, 8, 0, false, false));
  std::string flood;
  for (int i = 0; i < 20000; ++i)
    flood += char('a' + i % 26);
  std::thread sender([&] { peer.Send(flood); });
  // The ring fills up and the driver holds the rest before anything is read.
  EXPECT_TRUE(test::WaitUntil([&] { return port.Available() == ReceiveRing::kCapacity; }));
  std::string got;
  char chunk[300];
  while (got.size() < flood.size()) {
    const int want = int(std::min(sizeof chunk, flood.size() - got.size()));
    const int n = port.Read(chunk, want, 2000);
    if (n == 0)
      break;
    got.append(chunk, size_t(n));
  }
  sender.join();
  EXPECT_EQ(got.size(), flood.size());
  EXPECT_TRUE(got == flood) << "bytes lost or reordered";
}

TEST_F(Rs232c, APeerHangingUpNeitherHangsNorCrashes) {
  auto peer = std::make_unique<PtyPeer>();
  ASSERT_TRUE(port.Open(peer->SlavePath(), "COM1", 9600, 8, 0, false, false));
  ASSERT_TRUE(port.Write("Q?\r\n", 4));
  ASSERT_TRUE(peer->WaitFor("Q?\r\n"));
  peer->Send("PARTIAL");  // the reply stops in the middle of the line
  char chunk[16];
  ASSERT_EQ(port.Read(chunk, 7, 2000), 7);
  EXPECT_EQ(std::string(chunk, 7), "PARTIAL");
  EXPECT_FALSE(port.Lost());
  peer->HangUp();
  // A reader waiting on a hung-up line is told so (how soon: bench_hangup).
  EXPECT_EQ(port.Read(chunk, 16, 3000), 0);
  EXPECT_TRUE(port.Lost());
  EXPECT_FALSE(port.Write("Q?\r\n", 4));
  port.Close();

  PtyPeer next([](const std::string&) { return std::string("COMPLETE\r\n"); });
  ASSERT_TRUE(port.Open(next.SlavePath(), "COM1", 9600, 8, 0, false, false));
  EXPECT_FALSE(port.Lost());
  ASSERT_TRUE(port.Write("A=1\r\n", 5));
  EXPECT_EQ(ReadLine(port), "COMPLETE\r\n");
}

TEST_F(Rs232c, WhatWaitsOnThePortBeforeItOpensIsDiscarded) {
  PtyPeer peer([](const std::string&) { return std::string("COMPLETE\r\n"); });
  // A reply meant for a program that has gone waits in the line's input queue.
  peer.Send("TI=1\r\n");
  ASSERT_TRUE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  ASSERT_TRUE(port.Write("A=1\r\n", 5));
  EXPECT_EQ(ReadLine(port), "COMPLETE\r\n");
}

TEST(ComPortNames, NamesMapToLinkedDevicesOrToTheSerialDevices) {
  TempFolder temp;
  std::filesystem::create_directories(temp / "ports");
  std::filesystem::create_symlink("/dev/pts/7", temp / "ports/COM3");
  std::filesystem::create_symlink("../devices/cam", temp / "ports/COM4");
  EXPECT_EQ(ComPortDevice(temp.Path(), "COM3"), "/dev/pts/7");
  EXPECT_EQ(ComPortDevice(temp.Path(), "COM4"), temp / "devices/cam");
  EXPECT_EQ(ComPortDevice(temp.Path(), "COM7"), "/dev/ttyS6");
  EXPECT_EQ(ComPortDevice(temp.Path(), "/dev/ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(ComPortDevice(temp.Path(), "COM0"), "COM0");
  EXPECT_EQ(ComPortDevice(temp.Path(), "COMX"), "COMX");
}

}  // namespace
}  // namespace vistrel
