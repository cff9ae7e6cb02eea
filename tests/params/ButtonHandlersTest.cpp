#include "core/CommandIds.h"
#include "params/HandlerFixture.h"
#include "params/Handlers.h"

namespace vistrel::test {
namespace {

using ButtonHandlers = HandlerFixture;

TEST_F(ButtonHandlers, OneShotButtonsSendTheirSettingAndLongOnesReportCompletion) {
  EXPECT_TRUE(Handlers::OnParameterButton(context, ctl::SoftTrigger));
  EXPECT_TRUE(presenter.messages.empty());
  EXPECT_TRUE(Handlers::OnParameterButton(context, ctl::BlemishStore));
  EXPECT_EQ(Wire(), (Lines{"STRG=0", "BMS=1"}));
  ASSERT_EQ(presenter.messages.size(), 1u);
  EXPECT_EQ(presenter.messages[0].text, "Completed");
  EXPECT_EQ(presenter.messages[0].icon, MessageIcon::Information);

  // A refused one reports no completion.
  presenter.messages.clear();
  channel.refused = {"BMRCW"};
  Handlers::OnParameterButton(context, ctl::RecalibrateWhite);
  ASSERT_FALSE(presenter.messages.empty());
  for (const auto& message : presenter.messages)
    EXPECT_NE(message.text, "Completed");
}

TEST_F(ButtonHandlers, ButtonsOfCommandsWithoutANameSendNothing) {
  for (int button : {ctl::RecalibratePosition, 2866, 2868, 2766, 2765}) {
    presenter.messages.clear();
    EXPECT_TRUE(Handlers::OnParameterButton(context, button)) << button;
    ASSERT_EQ(presenter.messages.size(), 1u) << button;
    EXPECT_EQ(presenter.messages[0].text, Command::kNoCommandText);
  }
  EXPECT_TRUE(Wire().empty());
}

TEST_F(ButtonHandlers, TemperatureIsShownInDegrees) {
  answers["TMP0?"] = "TMP0=4000\r\n";
  panel.AddControl(ctl::TemperatureText);
  Handlers::OnParameterButton(context, ctl::TemperatureRead);
  EXPECT_EQ(Wire(), (Lines{"TMP0?"}));
  EXPECT_EQ(panel.ControlText(ctl::TemperatureText), "31.25");
}

TEST_F(ButtonHandlers, CounterReadIsStoredAndShownAndAFailedReadChangesNothing) {
  panel.AddNumber(2800, 2801, 0, 1000000);
  answers["CV0?"] = "CV0=1234\r\n";
  Handlers::OnParameterButton(context, 2802);
  EXPECT_EQ(table.GetDataValue(2800), 1234);
  EXPECT_EQ(panel.EditText(2800), "1234");
  answers["CV0?"] = "ERROR: busy\r\n";
  Handlers::OnParameterButton(context, 2802);
  EXPECT_EQ(panel.EditText(2800), "1234");
}

TEST_F(ButtonHandlers, DirectSettingsSendTheValueTheControlStandsFor) {
  panel.AddChoice(ctl::CameraBaud, {"9600", "19200", "38400", "57600", "115200"}, 3);
  panel.AddChoice(2798, {"Off", "On"}, 1);
  panel.AddChoice(2342, {"Low", "Line5"}, 1);
  panel.SetItemValues(2342, {0, 21});
  Handlers::OnParameterSelect(context, ctl::CameraBaud);
  Handlers::OnParameterSelect(context, 2798);
  Handlers::OnParameterButton(context, 2799);
  Handlers::OnParameterSelect(context, 2342);
  EXPECT_EQ(Wire(), (Lines{"FCBDRT=8", "CE0=1", "CR0=1", "PGIN0=21"}));
}

TEST_F(ButtonHandlers, BinningIsReadBackAndTheRegionRequeried) {
  panel.Pick(ctl::HB, 1);
  Handlers::OnParameterSelect(context, ctl::HB);
  EXPECT_EQ(Wire(), (Lines{"HB=2", "HB?", "HTL?", "WTC?", "OFL?", "OFC?"}));
  EXPECT_EQ(table.GetDataValue(ctl::HB), 2);
  EXPECT_EQ(panel.SelectedIndex(ctl::HB), 1);
  EXPECT_GT(panel.rangesApplied, 0);
}

TEST(EngineNameless, LinesWithoutACommandNameNeverReachTheWire) {
  RecordingPresenter presenter;
  SimChannel channel;
  Command engine(channel, presenter);
  int32_t value = 0;
  EXPECT_EQ(engine.SetValue(397, 1, 100), Outcome::BadInput);
  EXPECT_EQ(engine.GetValue(620, value, 100), Outcome::BadInput);
  EXPECT_EQ(engine.SendLine("=1\r\n", 100), Outcome::BadInput);
  EXPECT_EQ(engine.QueryRaw(value, "?\r\n", 100, false), Outcome::BadInput);
  EXPECT_TRUE(channel.written.empty());
  EXPECT_EQ(presenter.messages.size(), 4u);
  EXPECT_EQ(engine.SetValue(cmd::EM, 1, 1000), Outcome::Done);  // named lines go out as before
}

}  // namespace
}  // namespace vistrel::test
