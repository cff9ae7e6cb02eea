#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/Command.h"
#include "core/CommandTable.h"
#include "core/ParameterTable.h"
#include "tests/support/Recorders.h"
#include "tests/support/ScriptedChannel.h"

namespace vistrel {
namespace {

using test::RecordingPresenter;
using test::RecordingView;
using test::ScriptedChannel;

int Cmd(const char* name) {
  return CommandTable::FindByName(name);
}

class ParameterTableTest : public ::testing::Test {
 protected:
  RecordingPresenter messages;
  ParameterTable table{messages};
  RecordingView view;

  std::string LastMessage() const {
    return messages.messages.empty() ? std::string() : messages.messages.back().text;
  }
};

TEST_F(ParameterTableTest, EveryRowIsConsistent) {
  std::set<int> ctrlIds;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    EXPECT_TRUE(ctrlIds.insert(row.ctrlId).second) << "control " << row.ctrlId << " twice";
    EXPECT_TRUE(CommandTable::IsValidId(row.commandId)) << row.ctrlId;
    EXPECT_EQ(row.rangeKind, 0);
    EXPECT_LE(row.minimum, row.maximum) << row.ctrlId;
    EXPECT_EQ(row.lastSent, row.commandId == Cmd("AWBS") ? 4 : 0) << row.ctrlId;
    if (row.paramClass == ParamClass::NotStored) {
      EXPECT_EQ(row.inFile, 0) << row.ctrlId;
    }
  }
}

TEST_F(ParameterTableTest, ReadabilityOfSpecialRows) {
  EXPECT_FALSE(table.IsReadable(table.CtrlId2TblIndex(1405)));  // RS button
  EXPECT_FALSE(table.IsReadable(table.CtrlId2TblIndex(1424)));  // BMPXW
  EXPECT_FALSE(table.IsReadable(table.CtrlId2TblIndex(1438)));  // BMPYW
  EXPECT_TRUE(table.IsReadable(table.CtrlId2TblIndex(1427)));   // BMPXWG is read
  EXPECT_FALSE(table.IsReadable(-1));
  EXPECT_FALSE(table.IsReadable(table.RowCount()));
}

// Commands bound to several controls: each control keeps its own role.
TEST_F(ParameterTableTest, SharedCommandsKeepTheirRoles) {
  struct Role {
    int ctrlId;
    ControlKind kind;
    int32_t minimum, maximum;
    ParamClass paramClass;
  };
  const Role roles[] = {
      {2515, ControlKind::Number, 0, 256, ParamClass::User},       // LUT index
      {2517, ControlKind::Number, 0, 4095, ParamClass::User},      // LUT value
      {1452, ControlKind::Number, 1, 512, ParamClass::Factory},    // position index
      {1457, ControlKind::Number, -1, 2559, ParamClass::Factory},  // position value
      {2767, ControlKind::Number, 1, 128, ParamClass::User},       // sequencer index
      {2794, ControlKind::Action, 0, 0, ParamClass::NotStored},    // sequencer write
      {2762, ControlKind::Choice, 0, 11, ParamClass::Factory},
      {2765, ControlKind::Action, 0, 11, ParamClass::NotStored},
      {2748, ControlKind::Number, 0, 255, ParamClass::Factory},
      {2766, ControlKind::Action, 0, 255, ParamClass::NotStored},
      {5117, ControlKind::Number, 0, 1, ParamClass::User},
      {2860, ControlKind::Action, 0, 1, ParamClass::User},
  };
  for (const Role& role : roles) {
    const ParameterEntry& row = table.Row(table.CtrlId2TblIndex(role.ctrlId));
    EXPECT_EQ(row.kind, role.kind) << role.ctrlId;
    EXPECT_EQ(row.minimum, role.minimum) << role.ctrlId;
    EXPECT_EQ(row.maximum, role.maximum) << role.ctrlId;
    EXPECT_EQ(row.paramClass, role.paramClass) << role.ctrlId;
  }
  EXPECT_EQ(table.ToCtrlId(Cmd("LUTR")), 2515);
  EXPECT_EQ(table.ToCtrlId(Cmd("EB")), 2794);
  EXPECT_EQ(table.ToCmdId(2787), 226);  // the sequencer's SQLUT
  EXPECT_EQ(table.ToCmdId(2569), 373);  // the second SQLUT id
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ParameterTableTest, UnknownIdsAreReported) {
  EXPECT_EQ(table.GetDataValue(1), -1);
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in GetDataValue().");
  EXPECT_FALSE(table.SetDataValue(1, 5));
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in SetDataValue().");
  EXPECT_EQ(table.GetLastSentValue(1), -1);
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in GetDataValue().");
  EXPECT_EQ(table.ToCmdId(1), -1);
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in ToCmdId().");
  EXPECT_EQ(table.CtrlId2TblIndex(1), -1);
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in CtrlId2TblIndex().");
  EXPECT_EQ(table.ToCtrlId(Cmd("ATCS")), -1);
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in ToCtrlId(): Command id is 85");
  EXPECT_FALSE(table.IsFactoryParam(1234));
  EXPECT_EQ(LastMessage(),
            "ERROR: IsFactoryParam(): Control id \"1234: 0x4d2\" is not registered in database "
            "table");
  int32_t lo = 7, hi = 8;
  EXPECT_FALSE(table.GetRange(1, lo, hi));
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in CtrlId2TblIndex().");
  EXPECT_EQ(lo, 7);
  EXPECT_FALSE(table.SetRange(1, 0, 1));
  EXPECT_EQ(LastMessage(), "Unexpected error occurred in CtrlId2TblIndex().");
  const size_t reported = messages.messages.size();
  EXPECT_EQ(reported, 9u);
  EXPECT_EQ(table.IsInFile(1), 0);  // silently
  EXPECT_EQ(messages.messages.size(), reported);
  for (const auto& m : messages.messages) {
    EXPECT_EQ(m.caption, "");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  }
}

TEST_F(ParameterTableTest, ValuesRangesAndSync) {
  EXPECT_EQ(table.GetDataValue(2771), 2);  // SQNI starts at 2
  EXPECT_TRUE(table.IsFactoryParam(1422));
  EXPECT_FALSE(table.IsFactoryParam(1349));
  EXPECT_EQ(table.IsInFile(1422), 1);
  EXPECT_TRUE(table.SetDataValue(1349, 3));
  EXPECT_EQ(table.GetDataValue(1349), 3);
  EXPECT_EQ(table.GetLastSentValue(1349), 0);

  table.ShowChangedParameters(view);
  std::set<int> changed;
  for (const auto& s : view.shown)
    changed.insert(s.ctrlId);
  EXPECT_TRUE(changed.count(1349));
  EXPECT_FALSE(changed.count(2691));  // AWBS: 4 held and 4 sent

  table.MarkAllSent();
  view.shown.clear();
  table.ShowChangedParameters(view);
  EXPECT_TRUE(view.shown.empty());
  table.ShowAll(view);
  EXPECT_EQ(view.shown.size(), static_cast<size_t>(table.RowCount()));

  int32_t lo = 0, hi = 0;
  EXPECT_TRUE(table.SetRange(2771, 5, 9));
  EXPECT_TRUE(table.GetRange(2771, lo, hi));
  EXPECT_EQ(lo, 5);
  EXPECT_EQ(hi, 9);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ParameterTableTest, ReadableCountsAreRememberedOnce) {
  const int readable = table.CountReadable();
  const int readableUser = table.CountReadableUser();
  table.SetRange(1349, -5, 5);
  table.SetDataValue(1349, 2);
  table.AdjustRangesForModel(BlemishLimits{1455, 1087}, view);
  EXPECT_EQ(table.CountReadable(), readable);
  EXPECT_EQ(table.CountReadableUser(), readableUser);
}

TEST_F(ParameterTableTest, BlemishRangesFollowTheModelBothWays) {
  const int xCtrls[] = {1424, 1427, 1449};
  const int yCtrls[] = {1438, 1441, 1460};
  auto expectMax = [&](int32_t x, int32_t y) {
    int32_t lo = 0, hi = 0;
    for (int c : xCtrls) {
      ASSERT_TRUE(table.GetRange(c, lo, hi));
      EXPECT_EQ(lo, -1);
      EXPECT_EQ(hi, x) << c;
    }
    for (int c : yCtrls) {
      ASSERT_TRUE(table.GetRange(c, lo, hi));
      EXPECT_EQ(hi, y) << c;
    }
  };
  expectMax(2559, 2047);
  table.AdjustRangesForModel(BlemishLimits{1455, 1087}, view);
  expectMax(1455, 1087);
  EXPECT_EQ(view.rangesApplied, 1);
  ASSERT_EQ(view.choiceChanges.size(), 1u);
  EXPECT_EQ(view.choiceChanges[0], 1368);  // the ETM control
  table.AdjustRangesForModel(std::nullopt, view);
  expectMax(2559, 2047);
  EXPECT_EQ(view.rangesApplied, 2);
  // The position lists share the range numbers but are not model dependent.
  int32_t lo = 0, hi = 0;
  table.AdjustRangesForModel(BlemishLimits{1455, 1087}, view);
  table.GetRange(1457, lo, hi);
  EXPECT_EQ(hi, 2559);
}

// A camera that acknowledges settings (or refuses the ones listed) and answers queries with
// the value last set.
class FakeCamera {
 public:
  std::string Answer(const std::string& line) {
    const auto eq = line.find('=');
    if (eq != std::string::npos) {
      const std::string name = line.substr(0, eq);
      if (refuse.count(name))
        return "ERR\r\n";
      values[name] = line.substr(eq + 1, line.size() - eq - 3);
      return "COMPLETE\r\n";
    }
    const std::string name = line.substr(0, line.find('?'));
    return name + "=" + (values.count(name) ? values[name] : "0") + "\r\n";
  }
  std::map<std::string, std::string> values;
  std::set<std::string> refuse;
};

class WriteChangedTest : public ParameterTableTest {
 protected:
  FakeCamera camera;
  ScriptedChannel channel{[this](const std::string& line) { return camera.Answer(line); }};
  Command engine{channel, messages};

  void SetUp() override { table.MarkAllSent(); }
};

TEST_F(WriteChangedTest, SendsChangedRowsInOrderAndShowsTheReadBack) {
  table.SetDataValue(1350, 1);  // TA
  table.SetDataValue(1349, 2);  // TI (earlier in the table)
  camera.values["TA"] = "0";
  ASSERT_EQ(table.WriteChangedParameters(engine, view, 200), Outcome::Done);
  EXPECT_EQ(channel.written,
            (std::vector<std::string>{"TI=2\r\n", "TI?\r\n", "TA=1\r\n", "TA?\r\n"}));
  ASSERT_EQ(view.shown.size(), 2u);
  EXPECT_EQ(view.shown[0].ctrlId, 1349);
  EXPECT_EQ(view.shown[0].value, 2);
  EXPECT_EQ(table.GetLastSentValue(1350), 1);
  EXPECT_TRUE(messages.messages.empty());

  channel.written.clear();
  // Nothing is left to send.
  EXPECT_EQ(table.WriteChangedParameters(engine, view, 200), Outcome::Done);
  EXPECT_TRUE(channel.written.empty());
}

TEST_F(WriteChangedTest, CameraValueReplacesTheSentOne) {
  table.SetDataValue(1352, 3);  // TO
  channel.SetResponder([](const std::string& line) {
    return line.find('=') != std::string::npos ? std::string("COMPLETE\r\n") : "TO=1\r\n";
  });
  ASSERT_EQ(table.WriteChangedParameters(engine, view, 200), Outcome::Done);
  EXPECT_EQ(table.GetDataValue(1352), 1);
  EXPECT_EQ(table.GetLastSentValue(1352), 3);
}

TEST_F(WriteChangedTest, ARefusalStopsAndPutsTheUnsentRowsBackToTheCameraValues) {
  camera.refuse.insert("TI");
  camera.values["TI"] = "4";
  table.SetDataValue(1349, 2);  // TI, refused; the camera holds 4 by now
  table.SetDataValue(1350, 1);  // TA, next changed row, never sent
  EXPECT_EQ(table.WriteChangedParameters(engine, view, 200), Outcome::Refused);
  EXPECT_EQ(channel.written, (std::vector<std::string>{"TI=2\r\n", "TI?\r\n"}));
  for (const auto& [ctrlId, value] : {std::pair{1349, 4}, {1350, 0}}) {
    EXPECT_EQ(table.GetDataValue(ctrlId), value);
    EXPECT_EQ(table.GetLastSentValue(ctrlId), value);  // nothing waits to be sent
  }
  ASSERT_EQ(view.shown.size(), 2u);
  EXPECT_EQ(view.shown[0].value, 4);
  EXPECT_EQ(messages.messages.size(), 1u);
}

}  // namespace
}  // namespace vistrel
