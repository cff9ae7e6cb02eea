// The channels of the Windows build: the COM port on the simulated camera's pipe, a COM port
// that is not there, and the substitute Camera Link libraries loaded as DLLs.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "WindowsFixture.h"
#include "sim/InProcessCamera.h"
#include "support/Recorders.h"
#include "transport/CCommunication.h"

namespace vistrel {
namespace {

constexpr int kReplyLimitMs = 2000;

// One reply line: the bytes up to and including the line feed, or what came in the limit.
std::string ReplyLine(CCommunication& channel) {
  std::string line;
  char byte = 0;
  while (line.empty() || line.back() != '\n') {
    if (channel.Read(&byte, 1, kReplyLimitMs) != 1)
      break;
    line += byte;
  }
  return line;
}

class ChannelsWin32Test : public ::testing::Test {
 protected:
  ChannelsWin32Test()
      : key_("VISTREL_REGISTRY_KEY",
             "Software\\Vistrel Tests\\channels-" + std::to_string(GetCurrentProcessId())) {}
  ~ChannelsWin32Test() override {
    RegDeleteTreeA(
        HKEY_CURRENT_USER,
        ("Software\\Vistrel Tests\\channels-" + std::to_string(GetCurrentProcessId())).c_str());
  }

  test::ScopedEnvironment key_;
  test::TempFolder folder_;
  StoredSettings settings_{folder_.Path().string(), StoredSettings::ShutdownMarker::Leave};
  test::RecordingPresenter messages_;
  test::RecordingTraffic traffic_;
  CCommunication channel_{settings_, messages_, traffic_};
};

TEST_F(ChannelsWin32Test, ComPortTalksToTheSimulatedCameraOnItsPipe) {
  std::string error;
  std::unique_ptr<InProcessCamera> camera = StartInProcessCamera("", error);
  ASSERT_TRUE(camera) << error;
  ASSERT_TRUE(channel_.OpenDevice(camera->DevicePath(), 115200));
  EXPECT_TRUE(channel_.Write("MD?\r\n"));
  EXPECT_EQ(ReplyLine(channel_), "MD=QX-70500C-VLNK\r\n");
  // Several lines in one go come back whole and in order.
  channel_.Write("MD?\r\nMD?\r\n");
  EXPECT_EQ(ReplyLine(channel_), "MD=QX-70500C-VLNK\r\n");
  EXPECT_EQ(ReplyLine(channel_), "MD=QX-70500C-VLNK\r\n");
  EXPECT_FALSE(channel_.Lost());
  channel_.Close();
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(ChannelsWin32Test, RepliesLargerThanTheRingArriveWhole) {
  std::string error;
  std::unique_ptr<InProcessCamera> camera = StartInProcessCamera("", error);
  ASSERT_TRUE(camera) << error;
  ASSERT_TRUE(channel_.OpenDevice(camera->DevicePath(), 9600));
  // 200 queries at once: more than 1023 bytes of replies wait while nobody reads.
  std::string lines;
  for (int i = 0; i < 200; ++i)
    lines += "MD?\r\n";
  channel_.Write(lines);
  Sleep(200);
  for (int i = 0; i < 200; ++i)
    ASSERT_EQ(ReplyLine(channel_), "MD=QX-70500C-VLNK\r\n") << "reply " << i;
}

TEST_F(ChannelsWin32Test, ComPortThatIsNotThereShowsTheCreateFileMessage) {
  EXPECT_FALSE(channel_.Open(0, 9600, 198));
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text.rfind("Failed to initialize COM199 port!\nError in "
                                             "CreateFile()\n",
                                             0),
            0u)
      << messages_.messages[0].text;
  EXPECT_EQ(messages_.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(channel_.IsOpen());
  // The choice is kept even though the open failed.
  EXPECT_EQ(channel_.GetPortIndex(), 198u);
  EXPECT_EQ(channel_.ComPortPath(), "\\\\.\\COM199");
}

TEST_F(ChannelsWin32Test, TheRsMutexIsNamedAndShared) {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Rs Mutex");
  ASSERT_NE(mutex, nullptr);
  CloseHandle(mutex);
}

// The substitute library, built as clserSIM.dll with copies clserial.dll and clallserial.dll.
class CameraLinkDllTest : public ChannelsWin32Test {
 protected:
  CameraLinkDllTest()
      : path_("CLSERIALPATH", VISTREL_CLSERIAL_DIR), ports_("VISTREL_CLSIM_PORTS", "2") {
    SetDllDirectoryA(VISTREL_CLSERIAL_DIR);
  }
  ~CameraLinkDllTest() override { SetDllDirectoryA(nullptr); }

  void ExpectModelReply(uint32_t mode, uint32_t index) {
    channel_.SetMode(mode);
    ASSERT_GT(channel_.GetPortCount(), int(index));
    ASSERT_TRUE(channel_.Open(mode, 9600, index)) << "mode " << mode;
    channel_.Write("MD?\r\n");
    EXPECT_EQ(ReplyLine(channel_), "MD=QX-70500C-VLNK\r\n") << "mode " << mode;
    channel_.Close();
  }

  test::ScopedEnvironment path_;
  test::ScopedEnvironment ports_;  // the 2000 generation opens port i of file i
};

TEST_F(CameraLinkDllTest, EachGenerationLoadsItsLibraryAndReachesTheCamera) {
  channel_.SetMode(1);
  channel_.GetPortCount();
  // clser*.dll in CLSERIALPATH: clserial.dll matches the pattern too.
  const std::string first = channel_.GetPortName(0);
  const std::string second = channel_.GetPortName(1);
  EXPECT_TRUE((first == "clserial.dll" && second == "clserSIM.dll") ||
              (first == "clserSIM.dll" && second == "clserial.dll"))
      << first << ", " << second;
  ExpectModelReply(1, 1);
  ExpectModelReply(2, 0);
  EXPECT_EQ(channel_.GetPortName(0), "Vistrel");
  ExpectModelReply(3, 0);
  EXPECT_EQ(channel_.GetPortName(0), "Vistrel - SimPort0");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(CameraLinkDllTest, UnsupportedRatesAreRefusedWithTheMessage) {
  channel_.SetMode(1);
  channel_.GetPortCount();
  EXPECT_FALSE(channel_.Open(1, 19200, 0));
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text, "Selected baud rate is not supported.");
  channel_.SetMode(2);
  channel_.GetPortCount();
  EXPECT_TRUE(channel_.Open(2, 115200, 0));
  EXPECT_FALSE(channel_.Open(2, 14400, 0));
  EXPECT_EQ(messages_.messages.size(), 2u);
}

TEST_F(CameraLinkDllTest, MissingLibrariesOpenNothingAndSayNothing) {
  test::TempFolder empty;
  test::ScopedEnvironment elsewhere("CLSERIALPATH", empty.Path().string());
  SetDllDirectoryA(empty.Path().string().c_str());
  channel_.SetMode(1);
  EXPECT_EQ(channel_.GetPortCount(), 0);
  EXPECT_FALSE(channel_.Open(1, 9600, 0));
  channel_.SetMode(3);
  EXPECT_EQ(channel_.GetPortCount(), 0);
  EXPECT_FALSE(channel_.Open(3, 9600, 0));
  EXPECT_TRUE(messages_.messages.empty());
}

}  // namespace
}  // namespace vistrel
