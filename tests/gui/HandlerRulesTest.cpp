// The rules behind the pages, without widgets: number ranges, signal codes, file filters, the
// access code, the controls each model offers and the identity groups of the factory page.
#include <gtest/gtest.h>

#include <set>

#include "app/AccessCode.h"
#include "camera/CameraFixture.h"
#include "camera/CameraModel.h"
#include "camera/ReadAll.h"
#include "camera/models/NumberRanges.h"
#include "core/CommandTable.h"
#include "core/ParameterTable.h"
#include "params/Identity.h"
#include "params/ModelControls.h"
#include "params/PageLists.h"
#include "support/Recorders.h"
#include "support/TestPanel.h"
#include "ui/QtMessagePresenter.h"

namespace vistrel::test {
namespace {

struct Range {
  int32_t minimum;
  int32_t maximum;
  bool operator==(const Range&) const = default;
};

class NumberRangeRules : public ::testing::Test {
 protected:
  std::optional<Range> For(int ctrlId, const RangeInputs& inputs) {
    const ParameterEntry& row = table_.Row(table_.CtrlId2TblIndex(ctrlId));
    Range range{};
    if (!NumberRangeFor(row, inputs, range.minimum, range.maximum))
      return std::nullopt;
    return range;
  }
  RecordingPresenter messages_;
  ParameterTable table_{messages_};
};

TEST_F(NumberRangeRules, BinningHalvesTheRegionRanges) {
  RangeInputs plain;
  EXPECT_EQ(For(2512, plain), (Range{96, 4112}));  // WTC
  EXPECT_EQ(For(1359, plain), (Range{8, 3008}));   // HTL
  EXPECT_EQ(For(1357, plain), (Range{0, 3000}));   // OFL
  RangeInputs binned;
  binned.hb = 2;
  binned.vb = 2;
  EXPECT_EQ(For(2512, binned), (Range{48, 2056}));
  EXPECT_EQ(For(1359, binned), (Range{8, 1504}));
  EXPECT_EQ(For(1357, binned), (Range{0, 1496}));
  // The sequencer fields follow their own binning choices.
  EXPECT_EQ(For(2773, binned), (Range{96, 4112}));  // SQW
  binned.sqhb = 2;
  EXPECT_EQ(For(2773, binned), (Range{48, 2056}));
}

TEST_F(NumberRangeRules, GainAndExposureRangesFollowTheModes) {
  RangeInputs inputs;
  EXPECT_EQ(For(2790, inputs), (Range{44, 562}));  // SQGR
  inputs.igm = 1;
  EXPECT_EQ(For(2790, inputs), (Range{100, 6400}));
  inputs.rlFamily = true;
  inputs.sqvb = 2;
  EXPECT_EQ(For(2783, inputs), (Range{3, 8000000}));  // SQPE
  inputs.rlFamily = false;
  EXPECT_EQ(For(2783, inputs), (Range{1, 8000000}));
  // Rows whose page gives the range keep it.
  EXPECT_EQ(For(2627, inputs), std::nullopt);  // CMVRR
  EXPECT_EQ(For(2318, inputs), (Range{0, 255}));
}

TEST(SignalCodes, EverySpellingOfASignalHasItsCode) {
  EXPECT_EQ(SignalCode("Fval"), 8);
  EXPECT_EQ(SignalCode("FVAL"), 8);
  EXPECT_EQ(SignalCode("Line5-OptIn1"), 21);
  EXPECT_EQ(SignalCode("Line5_OptIn1"), 21);
  EXPECT_EQ(SignalCode("Line7"), 23);
  EXPECT_EQ(SignalCode("Nand1_Out"), 27);
  EXPECT_EQ(SignalCode("PulseGenerator3"), 13);
  EXPECT_EQ(SignalCode("Rising edge"), -1);
}

TEST(FileFilters, PipeListsBecomeQtFilters) {
  EXPECT_EQ(QtMessagePresenter::QtFilter("CSV file (*.csv) | *.csv"), "CSV file (*.csv)");
  EXPECT_EQ(QtMessagePresenter::QtFilter("txt file (*.txt) | *.txt||"), "txt file (*.txt)");
  EXPECT_EQ(QtMessagePresenter::QtFilter("All Files(*.*)|*.*|"), "All Files(*.*)");
  EXPECT_EQ(QtMessagePresenter::QtFilter("Setting|*.cam|Any|*.*|"), "Setting (*.cam);;Any (*.*)");
}

TEST(AccessCodeSequence, NeedsShiftCtrlF12AndTheThreeLetters) {
  AccessCode code;
  const auto letters = AccessCode::Letters();
  using R = AccessCode::Result;
  EXPECT_EQ(code.Press(letters[0], false, false), R::Ignored);
  EXPECT_EQ(code.Press(AccessCode::kF12, true, false), R::Ignored);
  EXPECT_EQ(code.Press(AccessCode::kF12, true, true), R::Armed);
  EXPECT_EQ(code.Press(letters[0], false, false), R::Advanced);
  EXPECT_EQ(code.Press(AccessCode::kF12, true, true), R::Armed);  // starts again
  EXPECT_EQ(code.Press(letters[0], false, false), R::Advanced);
  EXPECT_EQ(code.Press(letters[1], false, false), R::Advanced);
  EXPECT_EQ(code.Press(letters[2], false, false), R::Completed);
  EXPECT_FALSE(code.Armed());
}

TEST(ModelControls, OfferedControlsAreAnsweredAndHeldBackOnesRefusedForEveryModel) {
  for (const char* name : {"RL-4100T-VLNK", "RL-8200T-VLNK", "QX-70500M-VLNK", "QX-70500C-VLNK"}) {
    SCOPED_TRACE(name);
    CameraFixture camera(name);
    ASSERT_EQ(camera.session.CheckModelAgain(), Outcome::Done);
    camera.session.SetFactoryMode(true);
    const std::vector<int> lacking =
        ControlsLackingForModel(camera.table, camera.session.Model().code);
    const std::set<int> held(lacking.begin(), lacking.end());
    int answered = 0;
    for (int i = 0; i < camera.table.RowCount(); ++i) {
      const ParameterEntry& row = camera.table.Row(i);
      if (CommandTable::Name(row.commandId).empty())
        continue;
      int32_t value = 0;
      if (held.contains(row.ctrlId)) {
        EXPECT_NE(camera.engine.GetValue(row.commandId, value, 500), Outcome::Done) << row.ctrlId;
      } else if (IsRowReadForModel(camera.session, i)) {
        EXPECT_EQ(camera.engine.GetValue(row.commandId, value, 500), Outcome::Done) << row.ctrlId;
        ++answered;
      }
    }
    EXPECT_GT(answered, 150);
    // A camera of another model reads every row and lacks nothing.
    EXPECT_TRUE(ControlsLackingForModel(camera.table, CameraModel::kUnsupported).empty());
  }
}

class IdentityHandlerTest : public ::testing::Test {
 protected:
  IdentityHandlerTest() {
    for (int id : ctl::XmlDigitFields)
      panel.Type(id, "");
    panel.AddControl(ctl::XmlVersionWrite);
    panel.AddChoice(ctl::ModelChoice, {"RL-4100T-VLNK", "RL-8200T-VLNK"});
  }
  void TypeXml(const std::string& a, const std::string& b, const std::string& c) {
    panel.Type(2598, a);
    panel.Type(2599, b);
    panel.Type(2600, c);
  }

  CameraFixture f{"RL-4100T-VLNK"};
  TestPanel panel;
  HandlerContext context{f.table, f.engine, panel, f.session};
};

TEST_F(IdentityHandlerTest, XmlVersionReadFillsTheDigitsAndWriteSendsThem) {
  ASSERT_EQ(f.channel.peer.Exchange("XMLVR=123\r\n"), "COMPLETE\r\n");
  EXPECT_TRUE(Identity::OnButton(context, ctl::XmlVersionRead));
  EXPECT_EQ(panel.EditText(2598) + panel.EditText(2599) + panel.EditText(2600), "123");
  EXPECT_TRUE(panel.ControlEnabled(ctl::XmlVersionWrite));

  TypeXml("4", "0", "9");
  EXPECT_TRUE(Identity::OnButton(context, ctl::XmlVersionWrite));
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"XMLVR?", "XMLVR=409"}));

  f.channel.refused = {"XMLVR?"};
  EXPECT_TRUE(Identity::OnButton(context, ctl::XmlVersionRead));
  EXPECT_EQ(panel.EditText(2600), "9") << "a failed read leaves the fields";
}

TEST_F(IdentityHandlerTest, WriteIsNotOfferedWithoutThreeDigits) {
  for (const auto& [a, b, c] : std::vector<std::array<std::string, 3>>{
           {"1", "", "3"}, {"1", "x", "3"}, {"1", " ", "3"}, {"12", "2", "3"}}) {
    TypeXml(a, b, c);
    EXPECT_FALSE(Identity::XmlWriteAllowed(panel, true)) << a << '|' << b << '|' << c;
  }
}

TEST_F(IdentityHandlerTest, SetWritesTheModelOfTheSelectedEntry) {
  panel.Pick(ctl::ModelChoice, 1);
  EXPECT_TRUE(Identity::OnSelect(context, ctl::ModelChoice));
  EXPECT_TRUE(f.channel.written.empty()) << "choosing sends nothing";
  EXPECT_TRUE(Identity::OnButton(context, ctl::ModelSet));
  EXPECT_EQ(f.channel.Lines().front(), "MD00=RL-8200T-VLNK");
  EXPECT_FALSE(Identity::OnButton(context, 1014));
  EXPECT_FALSE(Identity::OnSelect(context, 1349));
}

}  // namespace
}  // namespace vistrel::test
