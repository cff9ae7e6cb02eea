#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "TransportFixtures.h"
#include "support/Recorders.h"
#include "transport/CRs232c.h"

namespace vistrel {
namespace {

using test::PtyPeer;
using test::RecordingPresenter;
using test::TempFolder;

constexpr uid_t kNobody = 65534;

// The message a CRs232c shows when it opens `device` in a child process without privileges
// and without supplementary groups.
std::string MessageOfUnprivilegedOpen(const std::string& device) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0)
    return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(2);
    }
    RecordingPresenter messages;
    CRs232c port(messages);
    const bool opened = port.Open(device, "COM4", 9600, 8, 0, false, false);
    const std::string text =
        opened || messages.messages.empty() ? std::string("opened") : messages.messages[0].text;
    [[maybe_unused]] ssize_t n = ::write(pipeFds[1], text.data(), text.size());
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string text;
  char chunk[512];
  for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;)
    text.append(chunk, size_t(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return text;
}

TEST(OpenFailure, NoPermissionNamesTheDevicesGroupAndWhatMembershipGrants) {
  TempFolder temp;
  ASSERT_EQ(::chmod(temp.Path().c_str(), 0755), 0);
  const std::string device = temp / "ttyUSB0";
  std::ofstream(device) << "";
  // A device of the group serial ports usually belong to, readable by that group only.
  const group* dialout = ::getgrnam("dialout");
  const gid_t gid = dialout ? dialout->gr_gid : ::getgid();
  const group* named = ::getgrgid(gid);
  const std::string groupName = named ? named->gr_name : std::to_string(gid);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(device.c_str(), 0, gid), 0);
  }
  ASSERT_EQ(::chmod(device.c_str(), ::geteuid() == 0 ? 0660 : 0), 0);

  const std::string text = MessageOfUnprivilegedOpen(device);
  EXPECT_EQ(text.rfind("Failed to initialize COM4 port!\nError in CreateFile()\n", 0), 0u) << text;
  EXPECT_NE(text.find("No permission to open " + device), std::string::npos) << text;
  EXPECT_NE(text.find("membership in " + groupName + " grants access"), std::string::npos) << text;
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

TEST(OpenFailure, AQuietPortShowsNothing) {
  TempFolder temp;
  RecordingPresenter messages;
  CRs232c port(messages);
  port.SetReportFailures(false);
  EXPECT_FALSE(port.Open(temp / "gone", "COM1", 9600, 8, 0, false, false));
  EXPECT_TRUE(messages.messages.empty());
}

int lowLatencyFd = -1;
bool lowLatencyOnTerminal = false;

bool RecordLowLatency(int fd) {
  lowLatencyFd = fd;
  lowLatencyOnTerminal = ::isatty(fd) == 1;
  return false;
}

TEST(LowLatency, EveryOpenAsksTheDriverAndARefusalChangesNothing) {
  PtyPeer peer([](const std::string& line) { return "OK " + line; });
  RecordingPresenter messages;
  {
    // The real request: a pseudo-terminal refuses it, and the port works as before.
    CRs232c port(messages);
    ASSERT_TRUE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
    ASSERT_TRUE(port.Write("A\n", 2));
    char reply[5] = {};
    EXPECT_EQ(port.Read(reply, 5, 2000), 5);
    EXPECT_EQ(std::string(reply, 5), "OK A\n");
  }
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
