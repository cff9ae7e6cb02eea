#include "params/CameraLinkCombos.h"
#include "params/HandlerFixture.h"
#include "params/Handlers.h"

namespace vistrel::test {
namespace {

using SelectHandlers = HandlerFixture;

TEST_F(SelectHandlers, PixelFormatIsSentThenTheExposureRangeAndTheListsFollow) {
  CameraLinkCombos::Rebuild(panel, session.Link());
  Hold(ctl::TAGM, "TAGM", 3);
  session.NoteLinkValue(ctl::TAGM, 3);
  panel.Pick(ctl::BA, 2);  // Mono12
  Handlers::OnParameterSelect(context, ctl::BA);
  EXPECT_EQ(Wire(), (Lines{"BA=2", "BA?", "HB?", "VB?", "AR?", "PE?", "CLCFG?"}));
  EXPECT_EQ(session.Link().bitAllocation, 2);
  EXPECT_EQ(panel.ChoiceTexts(ctl::TAGM), (std::vector<std::string>{"1X2_1Y", "1X4_1Y"}));
  EXPECT_EQ(panel.SelectedIndex(ctl::TAGM), 1);  // value 3
  EXPECT_EQ(panel.SelectedIndex(ctl::BA), 2);
  int32_t minimum = 0;
  int32_t maximum = 0;
  table.GetRange(ctl::SQPEB, minimum, maximum);
  EXPECT_EQ(minimum, 1);
  EXPECT_EQ(maximum, 33333 - 18);
}

TEST_F(SelectHandlers, ListsFollowTapGeometryAndPixelFormat) {
  CameraLinkState link;
  link.tapGeometry = 5;
  link.bitAllocation = 1;
  CameraLinkCombos::Rebuild(panel, link);
  EXPECT_EQ(panel.ChoiceTexts(ctl::BA), (std::vector<std::string>{"Mono8", "Mono10"}));
  EXPECT_EQ(panel.SelectedIndex(ctl::TAGM), 2);
  link.tapGeometry = 7;
  link.bitAllocation = 0;
  CameraLinkCombos::Rebuild(panel, link);
  EXPECT_EQ(panel.ChoiceTexts(ctl::BA), (std::vector<std::string>{"Mono8"}));
  EXPECT_EQ(panel.SelectedIndex(ctl::TAGM), 1);  // "1X3_1Y" is the second of five
  link.tapGeometry = 4;                          // no entry stands for it
  CameraLinkCombos::Rebuild(panel, link);
  EXPECT_EQ(panel.SelectedIndex(ctl::TAGM), -1);
}

TEST_F(SelectHandlers, UnreadFramePeriodKeepsThePreviousExposureMaximum) {
  table.SetRange(ctl::PE, 1, 50000);
  channel.refused = {"AR?"};
  panel.Pick(ctl::TM, 0);
  Handlers::OnParameterSelect(context, ctl::TM);
  int32_t minimum = 0;
  int32_t maximum = 0;
  table.GetRange(ctl::PER, minimum, maximum);
  EXPECT_EQ(maximum, 50000);
  panel.Pick(ctl::TM, 1);
  Handlers::OnParameterSelect(context, ctl::TM);
  table.GetRange(ctl::PE, minimum, maximum);
  EXPECT_EQ(maximum, 8000000);
  EXPECT_FALSE(panel.ControlEnabled(ctl::AR));
}

TEST_F(SelectHandlers, GammaEntrySendsItsValue) {
  panel.Pick(ctl::GMA, 5);
  Handlers::OnParameterSelect(context, ctl::GMA);
  EXPECT_EQ(Wire(), (Lines{"GMA=75", "GMA?"}));
}

TEST_F(SelectHandlers, ExposureModeIsRefusedWhileExposureAutoRuns) {
  Hold(ctl::EM, "EM", 1);
  panel.Pick(ctl::ASC, 1);
  panel.Pick(ctl::EM, 0);
  Handlers::OnParameterSelect(context, ctl::EM);
  EXPECT_TRUE(Wire().empty());
  ASSERT_EQ(presenter.messages.size(), 1u);
  EXPECT_EQ(presenter.messages[0].text, "Please Set Exposure Auto to Off");
  EXPECT_EQ(presenter.messages[0].icon, MessageIcon::Stop);
  EXPECT_EQ(panel.SelectedIndex(ctl::EM), 1);
}

TEST_F(SelectHandlers, ExposureModeSetsTheControlsAndTheVideoModeList) {
  Hold(ctl::EM, "EM", 1);
  panel.Pick(ctl::EM, 0);
  Handlers::OnParameterSelect(context, ctl::EM);
  EXPECT_EQ(Wire(), (Lines{"EM=0", "EM?"}));
  EXPECT_FALSE(panel.ControlEnabled(ctl::PE));
  EXPECT_FALSE(panel.ControlEnabled(ctl::ASC));
  EXPECT_TRUE(panel.ControlEnabled(ctl::AR));
  EXPECT_EQ(panel.ChoiceTexts(ctl::VSM), (std::vector<std::string>{"Normal"}));
  panel.Pick(ctl::EM, 1);
  Handlers::OnParameterSelect(context, ctl::EM);
  EXPECT_EQ(panel.ChoiceTexts(ctl::VSM).size(), 3u);
  EXPECT_TRUE(panel.ControlEnabled(ctl::PE));
}

// The per-colour exposure time is a control of the RL family.
class RlSelectHandlers : public HandlerFixture {
 protected:
  RlSelectHandlers() : HandlerFixture("RL-4100T-VLNK") {}
};

TEST_F(RlSelectHandlers, WhiteBalanceListFollowsTheGainAndExposureTimeModes) {
  panel.AddChoice(ctl::AWB, {});
  panel.Pick(ctl::ETM, 1);
  Handlers::OnParameterSelect(context, ctl::ETM);
  EXPECT_EQ(panel.ChoiceTexts(ctl::AWB).size(), 9u);
  EXPECT_TRUE(panel.ControlEnabled(ctl::PER));
  EXPECT_FALSE(panel.ControlEnabled(ctl::PE));
  panel.Pick(ctl::IGM, 1);
  ClearWire();
  Handlers::OnParameterSelect(context, ctl::IGM);
  EXPECT_EQ(Wire(), (Lines{"IGM=1", "FGR?", "FGG?", "FGB?"}));
  EXPECT_EQ(panel.ChoiceTexts(ctl::AWB),
            (std::vector<std::string>{"Off", "ExposureOnce", "ExposureContinuous"}));
  EXPECT_FALSE(panel.ControlEnabled(ctl::AGC));
}

TEST_F(SelectHandlers, BypassResetsAndDisablesWithoutSending) {
  panel.AddChoice(ctl::VPB, {"Off", "On"}, 1);
  panel.AddChoice(ctl::AGC, {"Off", "Continuous"}, 1);
  Handlers::OnParameterSelect(context, ctl::VPB);
  EXPECT_EQ(Wire(), (Lines{"VPB=1", "VPB?"}));
  EXPECT_EQ(panel.SelectedIndex(ctl::AGC), 0);
  EXPECT_FALSE(panel.ControlEnabled(ctl::AGC));
  EXPECT_FALSE(panel.ControlEnabled(ctl::FirstBalanceArea));
  panel.Pick(ctl::VPB, 0);
  ClearWire();
  Handlers::OnParameterSelect(context, ctl::VPB);
  EXPECT_EQ(Wire(), (Lines{"VPB=0", "VPB?", "HB?", "VB?", "AGC?", "AWB?", "SDM?", "LUTC?"}));
  EXPECT_TRUE(panel.ControlEnabled(ctl::AGC));
}

}  // namespace
}  // namespace vistrel::test
