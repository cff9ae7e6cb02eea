#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "TransportFixtures.h"
#include "support/OtherProgram.h"
#include "support/Recorders.h"
#include "transport/CCommunication.h"
#include "transport/PortLock.h"
#include "transport/SerialDevice.h"

namespace vistrel {
namespace {

using test::PtyPeer;
using test::ReadAll;
using test::RecordingPresenter;
using test::ScopedEnv;
using test::TempFolder;

std::string LockText(pid_t pid) {
  char text[16];
  std::snprintf(text, sizeof text, "%10d\n", int(pid));
  return text;
}

class PortLockTest : public ::testing::Test {
 protected:
  std::string LockFile() const { return locks / PortLockName(peer.SlavePath()); }

  TempFolder locks;
  ScopedEnv lockDir{"VISTREL_LOCK_DIR", locks.Path()};
  PtyPeer peer;
  RecordingPresenter messages;
};

TEST_F(PortLockTest, ALiveHolderKeepsThePortAStaleLockIsTakenOverAndCloseRemovesIt) {
  test::OtherProgram picocom("picocom");
  const pid_t holder = picocom.Pid();
  std::ofstream(LockFile()) << LockText(holder);
  CRs232c port(messages);
  EXPECT_FALSE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string expected = peer.SlavePath() + " is in use by picocom (pid " +
                               std::to_string(holder) + "), which holds its lock file " +
                               LockFile();
  EXPECT_NE(messages.messages[0].text.find(expected), std::string::npos)
      << messages.messages[0].text;
  ASSERT_TRUE(port.Refusal());
  EXPECT_TRUE(port.Refusal()->byLockFile);
  EXPECT_EQ(port.Refusal()->holder.pid, holder);
  EXPECT_EQ(ReadAll(LockFile()), LockText(holder));

  picocom.Stop();  // the lock file stays behind, naming a process that has ended
  // So may the temporary of a lock being taken; one of a live process is its own.
  const std::string deadTemporary = locks / ("LTMP." + std::to_string(holder));
  const std::string liveTemporary = locks / ("LTMP." + std::to_string(::getppid()));
  std::ofstream(deadTemporary) << LockText(holder);
  std::ofstream(liveTemporary) << LockText(::getppid());
  ASSERT_TRUE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  EXPECT_EQ(ReadAll(LockFile()), LockText(::getpid()));
  EXPECT_FALSE(std::filesystem::exists(deadTemporary));
  EXPECT_TRUE(std::filesystem::exists(liveTemporary));
  port.Close();
  EXPECT_FALSE(std::filesystem::exists(LockFile()));
}

// A program that holds the port open without a lock file is named before the port is opened,
// unless the port is shared with it on purpose.
TEST_F(PortLockTest, AProgramHoldingThePortOpenIsNamedUnlessThePortIsShared) {
  test::OtherProgram ser2net("ser2net", peer.SlavePath());
  CRs232c port(messages);
  EXPECT_FALSE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text,
            "Failed to initialize COM1 port!\nError in CreateFile()\n" + peer.SlavePath() +
                " is in use by ser2net (pid " + std::to_string(ser2net.Pid()) +
                "), which has it open: the camera's replies would go astray.\nClose that program "
                "and try again.");
  ASSERT_TRUE(port.Refusal());
  EXPECT_FALSE(port.Refusal()->byLockFile);
  EXPECT_EQ(port.Refusal()->holder.program, "ser2net");
  EXPECT_FALSE(std::filesystem::exists(LockFile())) << "nothing was taken";

  port.SetSharedPort(true);
  EXPECT_TRUE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  EXPECT_FALSE(port.Refusal());
}

TEST_F(PortLockTest, ASignalThatEndsTheProgramRemovesItsLock) {
  const pid_t child = ::fork();
  if (child == 0) {
    CRs232c port(messages);
    if (!port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false))
      ::_exit(1);
    ::raise(SIGTERM);
    ::_exit(2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_FALSE(std::filesystem::exists(LockFile()));
}

TEST_F(PortLockTest, WithoutAWritableLockFolderThePortOpensAsBefore) {
  ScopedEnv missing{"VISTREL_LOCK_DIR", locks / "missing"};
  CRs232c port(messages);
  EXPECT_TRUE(port.Open(peer.SlavePath(), "COM1", 9600, 8, 0, false, false));
  EXPECT_TRUE(messages.messages.empty());
}

// A stored device path that names no serial device is refused before anything is written.
TEST(SerialDevice, WhatIsNoSerialDeviceIsRefusedBeforeItIsOpened) {
  TempFolder temp;
  std::ofstream(temp / "regular") << "";
  const struct {
    std::string path;
    std::string what;
  } cases[] = {
      {temp / "regular", "a regular file"},
      {"/dev/null", "a device of the kind mem"},
      {temp.Path(), "a folder"},
      {"/proc/self/status", "a regular file"},  // reports size 0
  };
  for (const auto& c : cases) {
    RecordingPresenter messages;
    test::RecordingTraffic traffic;
    StoredSettings store(temp.Path(), StoredSettings::ShutdownMarker::Leave);
    ASSERT_TRUE(store.SetStoredText(kStoredComPortDevice, c.path));
    CCommunication channel(store, messages, traffic);
    channel.SetWriteBack(false);
    EXPECT_FALSE(channel.Reopen()) << c.path;
    EXPECT_FALSE(channel.Write("MD?\r")) << c.path;
    ASSERT_EQ(messages.messages.size(), 1u) << c.path;
    EXPECT_NE(messages.messages[0].text.find(c.path + " is " + c.what + ", not a serial device"),
              std::string::npos)
        << messages.messages[0].text;
  }
  EXPECT_EQ(ReadAll(temp / "regular"), "");
}

}  // namespace
}  // namespace vistrel
