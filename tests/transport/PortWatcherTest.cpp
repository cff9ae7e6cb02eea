// Re-plugging: the camera's pseudo-terminal and its link go away and come back.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "TransportFixtures.h"
#include "core/Command.h"
#include "core/CommandTable.h"
#include "sim/PtyServer.h"
#include "support/Recorders.h"
#include "transport/PortWatcher.h"

namespace vistrel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::RecordingOnlineStatus;
using test::RecordingPresenter;
using test::TempFolder;

constexpr auto kPollEvery = 10ms;
constexpr auto kReplugLimit = 1s;  // the program must notice within about a second

class PortWatcherTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(temp / "ports"); }

  // A camera on a new pseudo-terminal that the settings folder links as COM1.
  std::unique_ptr<PtyServer> PlugIn() {
    PtyServerOptions options;
    options.linkPath = temp / "ports/COM1";
    auto server = std::make_unique<PtyServer>(std::make_shared<SimPeer>(SimConfig{}), options);
    std::string error;
    EXPECT_TRUE(server->Start(&error)) << error;
    return server;
  }

  // Polls until the watcher reports `wanted` or the limit passes; the other events seen.
  bool PollUntil(PortWatcher::Event wanted) {
    const auto deadline = Clock::now() + kReplugLimit;
    while (Clock::now() < deadline) {
      const PortWatcher::Event event = watcher.Poll();
      if (event == wanted)
        return true;
      EXPECT_EQ(event, PortWatcher::Event::None);
      std::this_thread::sleep_for(kPollEvery);
    }
    return false;
  }

  TempFolder temp;
  RecordingPresenter messages;
  TrafficFanOut traffic;
  RecordingOnlineStatus online;
  StoredSettings store{temp.Path()};
  CCommunication channel{store, messages, traffic};
  PortWatcher watcher{channel};
  const int md = CommandTable::FindByName("MD");
};

TEST_F(PortWatcherTest, ALostPortIsReopenedWhenItsDeviceComesBack) {
  auto camera = PlugIn();
  Command engine(channel, messages);
  engine.SetOnlineStatus(&online);
  ASSERT_TRUE(channel.Open(0, 9600, 0));
  CommandValue value;
  ASSERT_EQ(engine.Query(md, value, 2000), Outcome::Done);
  EXPECT_EQ(watcher.Poll(), PortWatcher::Event::None);

  // Unplugged: a query already under way ends at once with its failure, never a hang.
  camera->Stop();
  EXPECT_EQ(engine.Query(md, value, 5000), Outcome::ChannelLost)
      << "the query is not left to time out";
  EXPECT_EQ(online.state, RecordingOnlineStatus::State::Offline);
  ASSERT_TRUE(PollUntil(PortWatcher::Event::Lost));
  EXPECT_FALSE(channel.IsOpen()) << "the device is let go";
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(watcher.Poll(), PortWatcher::Event::None) << "nothing to reopen yet";

  // Plugged in again (a new pseudo-terminal behind the same name): reopened, no message.
  camera = PlugIn();
  ASSERT_TRUE(PollUntil(PortWatcher::Event::Reopened));
  EXPECT_EQ(engine.Query(md, value, 2000), Outcome::Done);
  EXPECT_EQ(online.state, RecordingOnlineStatus::State::Online);
  EXPECT_EQ(watcher.Poll(), PortWatcher::Event::None);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(channel.GetPortIndex(0), 0u);
}

TEST_F(PortWatcherTest, APortThatWasNeverLostIsLeftAlone) {
  // The operator's choice failed to open: the watcher does not keep trying it behind his back.
  std::filesystem::create_symlink(temp / "missing", temp / "ports/COM1");
  EXPECT_FALSE(channel.Open(0, 9600, 0));
  messages.messages.clear();
  auto camera = PlugIn();
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(watcher.Poll(), PortWatcher::Event::None);
  EXPECT_FALSE(channel.IsOpen());
  // Camera Link modes have no device to watch.
  channel.SetMode(2);
  EXPECT_EQ(watcher.Poll(), PortWatcher::Event::None);
  EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vistrel
