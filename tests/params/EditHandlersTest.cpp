#include "camera/EntryTables.h"
#include "params/HandlerFixture.h"
#include "params/Handlers.h"

namespace vistrel::test {
namespace {

using EditHandlers = HandlerFixture;

TEST_F(EditHandlers, RegionOffsetThatLeavesTheSensorIsRefusedAndTheHeightKeepsItsRoom) {
  Hold(ctl::HTL, "HTL", 2100);
  Hold(ctl::OFL, "OFL", 0);
  panel.Type(ctl::OFL, "1000");
  Handlers::OnParameterEdit(context, ctl::OFL);
  EXPECT_TRUE(Wire().empty());  // 1000 + 2100 > 3008
  EXPECT_EQ(panel.EditText(ctl::OFL), "0");
  EXPECT_EQ(panel.SpinPosition(1358), 0);

  panel.Type(ctl::OFL, "900");
  Handlers::OnParameterEdit(context, ctl::OFL);
  EXPECT_EQ(Wire(), (Lines{"OFL=900", "OFL?", "HTL?", "WTC?", "OFL?", "OFC?"}));
  EXPECT_EQ(SpinMaximum(1360), 2108);
  EXPECT_EQ(panel.SpinOf(1360).minimum, 8);
  EXPECT_EQ(table.GetDataValue(ctl::OFL), 900);
}

TEST_F(EditHandlers, OffsetsAreRoundedToTheStepsTheSensorTakes) {
  Hold(ctl::HTL, "HTL", 1000);
  Hold(ctl::WTC, "WTC", 1024);
  panel.Type(ctl::OFL, "1001");
  Handlers::OnParameterEdit(context, ctl::OFL);
  panel.Type(ctl::OFC, "100");
  Handlers::OnParameterEdit(context, ctl::OFC);
  const Lines wire = Wire();
  ASSERT_GE(wire.size(), 12u);
  EXPECT_EQ(wire[0], "OFL=1000");
  EXPECT_EQ(wire[6], "OFC=96");
}

TEST_F(EditHandlers, ExposureTimeOutsideWhatTheCameraTakesIsRefusedWithTheRange) {
  Hold(ctl::PE, "PE", 5000);
  for (const char* typed : {"0", "9000000"}) {
    panel.Type(ctl::PE, typed);
    Handlers::OnParameterEdit(context, ctl::PE);
    EXPECT_EQ(panel.EditText(ctl::PE), "5000") << typed;
    ASSERT_FALSE(presenter.messages.empty());
    EXPECT_NE(presenter.messages.back().text.find("1 to 8000000"), std::string::npos);
  }
  panel.Type(ctl::PE, "8000000");
  Handlers::OnParameterEdit(context, ctl::PE);
  EXPECT_EQ(Wire(), (Lines{"PE=8000000", "PE?"}));
}

TEST_F(EditHandlers, TextThatIsNoWholeNumberIsRefusedAndTheFieldRestored) {
  Hold(ctl::PE, "PE", 5000);
  for (const char* typed : {"abc", "12abc", "", "1.5"}) {
    panel.Type(ctl::PE, typed);
    Handlers::OnParameterEdit(context, ctl::PE);
    EXPECT_EQ(panel.EditText(ctl::PE), "5000") << typed;
  }
  EXPECT_TRUE(Wire().empty());
  panel.Type(ctl::PE, " 6000 ");
  Handlers::OnParameterEdit(context, ctl::PE);
  EXPECT_EQ(Wire(), (Lines{"PE=6000", "PE?"}));
}

TEST_F(EditHandlers, SequencerWidthAndOffsetFollowTheHorizontalBinningAndAreNotSent) {
  struct Case {
    int binning;  // the position in the binning choice
    int field;
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {{0, ctl::SQOX, "24", "16"},
                        {1, ctl::SQOX, "24", "24"},
                        {0, ctl::SQW, "1032", "1024"},
                        {1, ctl::SQW, "1032", "1032"}};
  for (const Case& c : cases) {
    panel.Pick(ctl::SQHB, c.binning);
    panel.Type(c.field, c.typed);
    Handlers::OnParameterEdit(context, c.field);
    EXPECT_EQ(panel.EditText(c.field), c.kept) << c.field << " " << c.binning;
  }
  EXPECT_TRUE(Wire().empty());  // the sequencer entry goes with its Write button
}

// The index and value of a pixel, LUT or position table go to the camera with its Write button.
TEST_F(EditHandlers, PixelTableFieldsAreNotSentOnTheirOwn) {
  for (const PixelTable& pixels : PixelTables()) {
    for (int field : {pixels.indexCtrl, pixels.valueCtrl}) {
      if (field == 0)
        continue;  // a table without page controls
      panel.AddNumber(field, field + 1, -1, 4095);
      panel.Type(field, "5");
      Handlers::OnParameterEdit(context, field);
    }
  }
  EXPECT_TRUE(Wire().empty());
}

TEST_F(EditHandlers, SequencerSizeBeyondTheBinnedSensorIsCutToWhatFits) {
  panel.Pick(ctl::SQVB, 1);  // 3008 / 2 = 1504 lines
  panel.Type(ctl::SQOY, "500");
  panel.Type(ctl::SQH, "1200");
  Handlers::OnParameterEdit(context, ctl::SQH);
  EXPECT_EQ(panel.EditText(ctl::SQH), "1004");
  panel.Type(ctl::SQH, "1000");
  Handlers::OnParameterEdit(context, ctl::SQH);
  EXPECT_EQ(panel.EditText(ctl::SQH), "1000");
  EXPECT_EQ(SpinMaximum(2780), 504);
}

class ColourEditHandlers : public HandlerFixture {
 protected:
  ColourEditHandlers() : HandlerFixture("RL-4100T-VLNK") {}
};

TEST_F(ColourEditHandlers, ColourMatrixAndEnhancerAreClampedAndSentAtOnce) {
  for (const char* typed : {"25", "-30"}) {
    panel.Type(ctl::CMVRR, typed);
    Handlers::OnParameterEdit(context, ctl::CMVRR);
  }
  for (const char* typed : {"11", "-1"}) {
    panel.Type(ctl::CEVALR, typed);
    Handlers::OnParameterEdit(context, ctl::CEVALR);
  }
  // The simulated camera takes enhancer values 0 and 1 only: 10 is refused and asked again,
  // and the camera's 0 that the field then shows is nothing to send.
  EXPECT_EQ(Wire(), (Lines{"CMVRR=20", "CMVRR?", "CMVRR=-20", "CMVRR?", "CEVALR=10", "CEVALR?"}));
  EXPECT_EQ(panel.EditText(ctl::CEVALR), "0");
}

TEST_F(ColourEditHandlers, RegionLimitsAreTheModelsSensor) {
  Hold(ctl::HTL, "HTL", 1000);
  panel.Type(ctl::OFL, "100");
  Handlers::OnParameterEdit(context, ctl::OFL);  // 100 + 1000 > 1088
  EXPECT_TRUE(Wire().empty());
  panel.Type(ctl::OFL, "88");
  Handlers::OnParameterEdit(context, ctl::OFL);
  EXPECT_EQ(Wire().front(), "OFL=88");
  EXPECT_EQ(SpinMaximum(1360), 1000);
}

}  // namespace
}  // namespace vistrel::test
