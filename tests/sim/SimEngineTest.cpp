// The program's command engine against the simulated camera: the replies must be what the
// engine understands, for the command forms the program's handlers build.

#include <gtest/gtest.h>

#include "core/Command.h"
#include "core/CommandIds.h"
#include "core/WireFormat.h"
#include "sim/SimPeer.h"
#include "tests/support/Recorders.h"
#include "tests/support/ScriptedChannel.h"

namespace vistrel::test {
namespace {

class SimEngineTest : public ::testing::Test {
 protected:
  SimPeer camera;
  ScriptedChannel channel{[this](const std::string& line) { return camera.Exchange(line); }};
  RecordingPresenter messages;
  Command engine{channel, messages};
};

TEST_F(SimEngineTest, ValuesTextsAndRefusals) {
  std::string model;
  ASSERT_TRUE(engine.GetText(cmd::MD, model, 1000));
  EXPECT_EQ(model, "QX-70500C-VLNK");
  ASSERT_TRUE(engine.SetValue(cmd::TI, 2, 1000));
  int32_t value = -1;
  ASSERT_TRUE(engine.GetValue(cmd::TI, value, 2500));
  EXPECT_EQ(value, 2);
  ASSERT_TRUE(engine.SetText(cmd::UD, "My Cam 1", 2500));
  std::string user;
  ASSERT_TRUE(engine.GetText(cmd::UD, user, 2500));
  EXPECT_EQ(user, "MYCAM1");  // the engine drops blanks and upper-cases

  // A refusal reaches the operator as the camera's text.
  EXPECT_FALSE(engine.SetValue(cmd::PE, 0, 1000));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Error: value out of range");
  EXPECT_EQ(messages.messages[0].caption, "Communication Error");

  // Camera id writing: the unlock, then the id.
  ASSERT_TRUE(engine.SetValue(cmd::ULCK, 6183529, 2500));
  ASSERT_TRUE(engine.SetText(cmd::ID, "ABCDEFGHIJ", 2500));
  std::string id;
  ASSERT_TRUE(engine.GetText(cmd::ID, id, 2500));
  EXPECT_EQ(id, "ABCDEFGHIJ");
}

TEST_F(SimEngineTest, HandlerFormsOfIndexedTables) {
  // Sequencer entries: the index in the name.
  ASSERT_TRUE(engine.SendLine(FormatNumberedSetting("SQW", 5, 1024), 1000));
  int32_t value = 0;
  ASSERT_TRUE(engine.QueryRaw(value, FormatNumberedQuery("SQW", 5), 2500, true));
  EXPECT_EQ(value, 1024);
  // Pixel and LUT tables: the index first, the query answered with the value alone.
  ASSERT_TRUE(engine.SetText(cmd::LUTR, FormatPairText(12, 1000), 1000));
  ASSERT_TRUE(engine.QueryRaw(value, FormatQueryWithArg("LUTR", "12"), 2500, true));
  EXPECT_EQ(value, 1000);
  const int bmpxwg = CommandTable::FindByName("BMPXWG");
  ASSERT_TRUE(engine.SetText(bmpxwg, FormatPairText(5, 100), 4000));
  ASSERT_TRUE(engine.QueryRaw(value, FormatQueryWithArg("BMPXWG", "5"), 2500, true));
  EXPECT_EQ(value, 100);
  // The 32-entry channel table: written and read back in a row.
  const int lutsg = CommandTable::FindByName("LUTSG");
  for (int j = 0; j < 32; ++j)
    ASSERT_TRUE(engine.SetValue(lutsg, j * 100, 5000));
  for (int j = 0; j < 32; ++j) {
    ASSERT_TRUE(engine.QueryRaw(value, "LUTSG?\r\n", 5000, true));
    EXPECT_EQ(value, j * 100);
  }
  EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vistrel::test
