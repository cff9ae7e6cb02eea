#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

#include "TransportFixtures.h"
#include "support/AsNobody.h"
#include "support/Recorders.h"
#include "transport/CRs232c.h"

namespace vistrel {
namespace {

using test::kNobody;
using test::PtyPeer;
using test::RecordingPresenter;
using test::TempFolder;

// The message a CRs232c shows when it opens `device` without privileges.
std::string MessageOfUnprivilegedOpen(const std::string& device) {
  return test::OutputAsNobody([&device] {
    RecordingPresenter messages;
    CRs232c port(messages);
    const bool opened = port.Open(device, "COM4", 9600, 8, 0, false, false);
    return opened || messages.messages.empty() ? std::string("opened") : messages.messages[0].text;
  });
}

// A terminal device node in a folder everybody may enter, owned by root:`gid` with
// permissions `mode`.
std::string MakeDevice(const TempFolder& temp, gid_t gid, mode_t mode) {
  EXPECT_EQ(::chmod(temp.Path().c_str(), 0755), 0);
  const std::string device = temp / "ttyUSB0";
  EXPECT_EQ(::mknod(device.c_str(), S_IFCHR | mode, makedev(5, 0)), 0) << std::strerror(errno);
  EXPECT_EQ(::chown(device.c_str(), 0, gid), 0);
  EXPECT_EQ(::chmod(device.c_str(), mode), 0);
  return device;
}

std::string GroupOf(const std::string& device) {
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0)
    return "?";
  const group* named = ::getgrgid(st.st_gid);
  return named ? named->gr_name : std::to_string(st.st_gid);
}

// Joining the device's group is advised only where the group may read and write it; else the
// owner, the mode and who must grant access are named.
TEST(OpenFailure, NoPermissionAdvisesTheGroupOnlyWhereTheGroupHasAccess) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "needs root to make device nodes of other owners";
  const group* dialout = ::getgrnam("dialout");
  const gid_t serialGroup = dialout ? dialout->gr_gid : 20;
  struct Case {
    gid_t gid;
    mode_t mode;
    std::string expected;  // %g: the device's group
  };
  const Case cases[] = {
      {serialGroup, 0660,
       ": it belongs to the group %g, and membership in %g grants access to "
       "it.\nAdd your user to it (sudo usermod -aG %g $USER)"},
      {0, 0600,
       ": it belongs to root:%g with mode crw-------, and no group may read and write "
       "it.\nA udev rule or the administrator must grant access to it"},
      {kNobody, 0, ": it belongs to root:%g with mode c---------, and no group may read"},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    const std::string device = MakeDevice(temp, c.gid, c.mode);
    std::string expected = "No permission to open " + device + c.expected;
    for (size_t at; (at = expected.find("%g")) != std::string::npos;)
      expected.replace(at, 2, GroupOf(device));
    const std::string text = MessageOfUnprivilegedOpen(device);
    EXPECT_NE(text.find(expected), std::string::npos) << text;
  }
}

TEST(OpenFailure, APortInUseByAnotherProgramSaysSoAndOpensOnceFreed) {
  PtyPeer peer;
  RecordingPresenter messages;
  CRs232c first(messages);
  CRs232c second(messages);
  ASSERT_TRUE(first.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  EXPECT_FALSE(second.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text,
            "Failed to initialize COM1 port!\nError in CreateFile()\n" + peer.SlavePath() +
                " is in use by another program.\nClose that program (fuser " + peer.SlavePath() +
                " names it) and try again.");
  first.Close();
  EXPECT_TRUE(second.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
}

int lowLatencyFd = -1;
bool lowLatencyOnTerminal = false;

bool RecordLowLatency(int fd) {
  lowLatencyFd = fd;
  lowLatencyOnTerminal = ::isatty(fd) == 1;
  return false;
}

TEST(LowLatency, EveryOpenAsksTheDriverAndARefusalChangesNothing) {
  // The real request is refused by every pseudo-terminal the other tests open.
  PtyPeer peer;
  RecordingPresenter messages;
  CRs232c port(messages);
  port.SetLowLatencyCall(RecordLowLatency);
  for (int round = 0; round < 2; ++round) {
    lowLatencyFd = -1;
    ASSERT_TRUE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
    EXPECT_GE(lowLatencyFd, 0);
    EXPECT_TRUE(lowLatencyOnTerminal) << "asked on the open device";
    port.Close();
  }
  EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vistrel
