#include <gtest/gtest.h>

#include "CameraFixture.h"
#include "camera/LutTransfer.h"

namespace vistrel {
namespace {

using test::CameraFixture;

class LockCounter : public IWindowHooks {
 public:
  void LockWindows(bool locked) override { locks.push_back(locked); }
  void PumpEvents() override { ++pumped; }
  std::vector<bool> locks;
  int pumped = 0;
};

class LutTransferTest : public ::testing::Test {
 protected:
  LutTransferTest() {
    camera.session.SetHooks(PageHooks::Of(hooks));
    camera.engine.SetTimeLimitCap(100);
  }

  // The camera's table of a channel, read past the program.
  LutTable CameraTable(const std::string& command) {
    LutTable table{};
    for (uint32_t& entry : table)
      entry = static_cast<uint32_t>(std::stoul(camera.CameraValue(command)));
    return table;
  }

  // Lets `good` queries of `command` through, then drops every further line for it.
  void SilenceAfter(const std::string& command, int good) {
    camera.channel.SetResponder([this, command, good, seen = 0](const std::string& line) mutable {
      if (line.starts_with(command) && ++seen > good)
        return std::string();
      return camera.channel.peer.Exchange(line);
    });
  }

  static LutTable Ramp(uint32_t step) {
    LutTable table{};
    for (int j = 0; j < kLutEntries; ++j)
      table[static_cast<size_t>(j)] = std::min<uint32_t>(step * j, kLutMaxLevel);
    return table;
  }

  CameraFixture camera;
  test::RecordingProgress& progress = camera.progress;
  LockCounter hooks;
};

TEST_F(LutTransferTest, ReadAsksTheSameQueryThirtyTwoTimes) {
  LutTable table{};
  ASSERT_EQ(ReadTableFromCamera(camera.session, 0, table), Outcome::Done);
  EXPECT_EQ(camera.channel.Lines(), std::vector<std::string>(32, "LUTSR?"));
  EXPECT_EQ(table[1], 128u);
  EXPECT_EQ(table[30], 3840u);
  EXPECT_EQ(table[31], 4095u);
  ASSERT_EQ(progress.messages.size(), 33u);
  EXPECT_EQ(progress.messages[0], "Now, reading camera gamma data  [R]. ");
  EXPECT_EQ(progress.messages[32], "Now, reading camera gamma data  [R].   (32 / 32)");
  EXPECT_EQ(progress.percents.back(), 96);
  EXPECT_EQ(progress.ended, 1);
  EXPECT_EQ(hooks.locks, (std::vector<bool>{true, false}));
  EXPECT_EQ(hooks.pumped, 32);
}

TEST_F(LutTransferTest, ReadFailingAtEntryTenKeepsTheRestOld) {
  SilenceAfter("LUTSG", 10);
  LutTable table;
  table.fill(7);
  EXPECT_EQ(ReadTableFromCamera(camera.session, 1, table), Outcome::NoReply);
  for (int j = 0; j < 10; ++j)
    EXPECT_EQ(table[static_cast<size_t>(j)], 128u * j) << j;
  for (int j = 10; j < kLutEntries; ++j)
    EXPECT_EQ(table[static_cast<size_t>(j)], 7u) << j;
  EXPECT_EQ(camera.channel.Lines().size(), 11u);
  EXPECT_EQ(camera.online.state, test::RecordingOnlineStatus::State::Offline);
  EXPECT_EQ(progress.ended, 1);
  EXPECT_EQ(hooks.locks, (std::vector<bool>{true, false}));
}

TEST_F(LutTransferTest, ReadStoresOnlyLevelsOfTheRangeAndNoAnswerOfAnotherCommand) {
  int n = 0;
  camera.channel.SetResponder([&n](const std::string&) {
    ++n;
    return n == 3   ? std::string("LUTSB=5000\r\n")
           : n == 4 ? std::string("LUTSB=-3\r\n")
                    : std::string("LUTSB=12\r\n");
  });
  LutTable table{};
  EXPECT_EQ(ReadTableFromCamera(camera.session, 2, table), Outcome::Done);
  EXPECT_EQ(table[1], 12u);
  EXPECT_EQ(table[2], 4095u);
  EXPECT_EQ(table[3], 0u);

  camera.channel.SetResponder([](const std::string&) { return std::string("ERRER=0\r\n"); });
  table.fill(7);
  EXPECT_NE(ReadTableFromCamera(camera.session, 0, table), Outcome::Done);
  EXPECT_EQ(table[0], 7u);
}

TEST_F(LutTransferTest, WriteSendsTheEntriesInOrderWithoutIndex) {
  const LutTable ramp = Ramp(100);
  ASSERT_EQ(WriteTableToCamera(camera.session, 2, ramp), Outcome::Done);
  EXPECT_EQ(camera.channel.Lines().size(), 32u);
  EXPECT_EQ(CameraTable("LUTSB"), ramp);
  EXPECT_EQ(progress.messages[0], "Now, writing camera gamma data.");
  EXPECT_EQ(progress.messages[32], "Now, writing camera gamma data.  (32 / 32)");

  camera.channel.written.clear();
  EXPECT_EQ(WriteTableToCamera(camera.session, 3, ramp), Outcome::BadInput);
  EXPECT_EQ(WriteTableToCamera(camera.session, -1, ramp), Outcome::BadInput);
  EXPECT_TRUE(camera.channel.written.empty());
}

TEST_F(LutTransferTest, WriteToAllGoesOnPastARefusedChannelButNotPastASilentCamera) {
  camera.channel.refused = {"LUTSG"};
  const LutTable ramp = Ramp(50);
  EXPECT_EQ(WriteTableToAllChannels(camera.session, ramp), Outcome::Refused);
  EXPECT_EQ(camera.channel.Lines().size(), 32u + 1u + 32u);
  camera.channel.refused.clear();
  EXPECT_EQ(CameraTable("LUTSR"), ramp);
  EXPECT_EQ(CameraTable("LUTSB"), ramp);

  camera.channel.written.clear();
  const int ended = progress.ended;
  SilenceAfter("LUTS", 5);
  EXPECT_EQ(WriteTableToAllChannels(camera.session, Ramp(10)), Outcome::NoReply);
  EXPECT_EQ(camera.channel.Lines().size(), 6u);
  EXPECT_EQ(progress.ended, ended + 1);
}

TEST_F(LutTransferTest, ReadAllStopsAtTheFirstChannelThatFails) {
  LutTableSet tables{};
  LutReadAll all = ReadAllLutTables(camera.session, tables);
  EXPECT_EQ(all.outcome, Outcome::Done);
  EXPECT_EQ(all.channelsTried, 3);
  EXPECT_EQ(tables[2][31], 4095u);
  EXPECT_EQ(progress.messages[33 * 2], "Now, reading camera gamma data  [B]. ");

  camera.channel.written.clear();
  camera.channel.refused = {"LUTSG"};
  tables = {};
  all = ReadAllLutTables(camera.session, tables);
  EXPECT_EQ(all.outcome, Outcome::Refused);
  EXPECT_EQ(all.channelsTried, 2);
  EXPECT_EQ(camera.channel.Lines().size(), 33u);
  EXPECT_EQ(tables[0][1], 128u);
  EXPECT_EQ(tables[2][1], 0u);
}

}  // namespace
}  // namespace vistrel
