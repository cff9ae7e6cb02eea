#include "params/HandlerFixture.h"
#include "params/ModelPageSetup.h"
#include "params/PageRefresh.h"
#include "params/ReadOuts.h"

namespace vistrel::test {
namespace {

class PageSetup : public HandlerFixture {
 protected:
  PageSetup() : HandlerFixture("QX-70500M-VLNK", 0) {
    panel.AddChoice(ctl::TPN, {"Off", "Grey Horizontal Ramp", "Grey Vertical Ramp",
                               "Grey Horizontal Ramp Moving", "Horizontal Colorbar",
                               "Vertical Colorbar", "Moving Colorbar"});
    panel.AddChoice(ctl::SDCM, {"Flat Shading", "Color Shading"});
    panel.AddNumber(ctl::PER, 1344, 1, 8000000);
    panel.AddControl(ctl::BlemishTableGroup);
  }

  void Connect(const std::string& model) {
    session.SetModel({ModelCodeFor(model), session.Model().name});
    ModelPageSetup::Apply(context);
  }
};

TEST_F(PageSetup, MonochromeModelLosesTheColourEntriesAndControls) {
  Connect("QX-70500M-VLNK");
  EXPECT_EQ(panel.ChoiceTexts(ctl::TPN).size(), 5u);
  EXPECT_EQ(panel.ChoiceTexts(ctl::SDCM), (std::vector<std::string>{"Flat Shading"}));
  EXPECT_FALSE(panel.ControlVisible(ctl::PER));
  EXPECT_FALSE(panel.ControlVisible(ctl::CMVRR));
  EXPECT_FALSE(panel.ControlVisible(ctl::SQPER));
  EXPECT_EQ(panel.ControlText(ctl::BlemishTableGroup), "Blemish White");
}

TEST_F(PageSetup, ColourModelGetsItsEntriesAndControlsBackAfterAMonochromeOne) {
  Connect("QX-70500M-VLNK");
  table.SetDataValue(ctl::TPN, 4);
  Connect("RL-4100T-VLNK");
  EXPECT_EQ(panel.ChoiceTexts(ctl::TPN).size(), 7u);
  EXPECT_EQ(panel.SelectedIndex(ctl::TPN), 4);
  EXPECT_EQ(panel.ChoiceTexts(ctl::SDCM).size(), 2u);
  EXPECT_TRUE(panel.ControlVisible(ctl::PER));
  EXPECT_TRUE(panel.ControlVisible(ctl::SQPER));  // written and read with the entry
  EXPECT_EQ(panel.ControlText(ctl::BlemishTableGroup), "Blemish Red");
}

TEST_F(PageSetup, ReadOutTexts) {
  EXPECT_TRUE(ReadOuts::RefreshBaudLimitText(context));  // the camera reports mask 0
  EXPECT_EQ(Wire(), (Lines{"SBDRT?"}));
  EXPECT_EQ(panel.ControlText(ctl::BaudLimitText), "BaudRateMax 9600");
  EXPECT_EQ(ReadOuts::BaudLimitText(255), "BaudRateMax 921600");
  EXPECT_EQ(ReadOuts::BaudLimitText(2), "BaudRateMax 9600");
  EXPECT_EQ(ReadOuts::VideoModeName(3), "Normal Mode");
  EXPECT_EQ(ReadOuts::TemperatureText(-256), "-2.00");
  // After a read the rate mask row shows as its text again, without asking the camera.
  table.SetDataValue(ctl::BaudLimitText, 31);
  ClearWire();
  PageRefresh::RefreshDependentStates(context);
  EXPECT_EQ(panel.ControlText(ctl::BaudLimitText), "BaudRateMax 115200");
  EXPECT_TRUE(Wire().empty());
}

TEST_F(PageSetup, SilentCameraGetsNoPageRefreshQueries) {
  ReadAllResult pass;
  pass.ran = true;
  pass.outcome = Outcome::NoReply;
  session.RecordRead(pass);
  PageRefresh::RefreshRemainingPages(context);
  EXPECT_TRUE(Wire().empty());
}

}  // namespace
}  // namespace vistrel::test
