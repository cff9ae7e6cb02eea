// The channel with the simulated camera on the far side of a real pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "TransportFixtures.h"
#include "core/Command.h"
#include "core/CommandTable.h"
#include "sim/PtyServer.h"
#include "support/Recorders.h"
#include "transport/CCommunication.h"

namespace vistrel {
namespace {

using namespace std::chrono_literals;
using test::RecordingOnlineStatus;
using test::RecordingPresenter;
using test::RecordingTraffic;
using test::TempFolder;

class SimPortTest : public ::testing::Test {
 protected:
  // Starts a camera whose pseudo-terminal the settings folder links as COM2.
  std::unique_ptr<PtyServer> StartCamera(const std::string& model, SimFaults faults = {}) {
    SimConfig config;
    config.model = model;
    PtyServerOptions options;
    options.linkPath = temp / "ports/COM2";
    options.faults = faults;
    auto server = std::make_unique<PtyServer>(std::make_shared<SimPeer>(config), options);
    std::string error;
    EXPECT_TRUE(server->Start(&error)) << error;
    return server;
  }

  void SetUp() override {
    std::filesystem::create_directories(temp / "ports");
    engine.SetOnlineStatus(&online);
  }

  TempFolder temp;
  RecordingPresenter messages;
  RecordingTraffic traffic;
  RecordingOnlineStatus online;
  StoredSettings store{temp.Path()};
  CCommunication channel{store, messages, traffic};
  Command engine{channel, messages};
  const int md = CommandTable::FindByName("MD");
  const int pe = CommandTable::FindByName("PE");
};

TEST_F(SimPortTest, AHangUpInTheMiddleOfAnExchangeLeavesTheLinkOfflineUntilTheNextOpen) {
  SimFaults faults;
  faults.fault = SimFault::HangUp;
  faults.afterLines = 1;
  auto camera = StartCamera("QX-70500C-VLNK", faults);
  ASSERT_TRUE(channel.Open(0, 115200, 1));

  std::string model;
  ASSERT_TRUE(engine.GetText(md, model, 2500));
  EXPECT_FALSE(engine.GetText(md, model, 300));  // the line goes dead on this query
  EXPECT_TRUE(camera->HungUp());
  EXPECT_EQ(online.state, RecordingOnlineStatus::State::Offline);
  EXPECT_FALSE(engine.SetValue(pe, 100, 5000));
  EXPECT_EQ(engine.LastOutcome(), Outcome::ChannelLost) << "the write fails instead of timing out";
  EXPECT_FALSE(channel.Write("PE?\r\n"));

  camera.reset();
  camera = StartCamera("RL-4100T-VLNK");
  ASSERT_TRUE(channel.Reopen());
  ASSERT_TRUE(engine.GetText(md, model, 2500));
  EXPECT_EQ(model, "RL-4100T-VLNK");
  EXPECT_EQ(online.state, RecordingOnlineStatus::State::Online);
}

}  // namespace
}  // namespace vistrel
