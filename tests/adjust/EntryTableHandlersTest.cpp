// The indexed entry tables as their pages run them: sequencer entries, pixel and LUT
// entries, blemish clears, count read-outs and the sensor multi-ROI switch.

#include <gtest/gtest.h>

#include "camera/EntryTables.h"
#include "core/ControlIds.h"
#include "params/EntryTableHandlers.h"
#include "tests/adjust/HandlerFixture.h"

namespace vistrel::test {
namespace {

constexpr int kEntry = 3;

// The sequencer page with entry 3 typed in.
struct SequencerPage : HandlerFixture {
  SequencerPage() {
    panel.AddChoice(ctl::IGM, {"Off", "On"});
    panel.AddChoice(ctl::SQLUT, {"LUT0", "LUT1", "LUT2"});
    panel.AddChoice(ctl::SQHB, {"1", "2"});
    panel.AddChoice(ctl::SQVB, {"1", "2"});
    panel.Type(ctl::SequencerIndex, std::to_string(kEntry));
    const std::pair<int, const char*> typed[] = {{2769, "2"},   {2771, "4"},    {2773, "1024"},
                                                 {2775, "768"}, {2777, "64"},   {2779, "32"},
                                                 {2781, "200"}, {2783, "5000"}, {2788, "10"}};
    for (auto [ctrlId, text] : typed)
      panel.Type(ctrlId, text);
    panel.Pick(ctl::SQLUT, 1);
  }
};

TEST(EntryTableHandlers, SequencerWriteSendsTheTenFieldsInOrderThenReadsThemBack) {
  SequencerPage page;
  EXPECT_TRUE(EntryTableHandlers::OnButton(page.context, ctl::SequencerWrite));
  const Lines lines = page.TakeLines();
  EXPECT_EQ(lines, (Lines{"SQF3=2",   "SQNI3=4",   "SQW3=1024",  "SQH3=768", "SQOX3=64",
                          "SQOY3=32", "SQGA3=200", "SQPE3=5000", "SQLUT3=1", "SQBL3=10",
                          "SQF3?",    "SQNI3?",    "SQW3?",      "SQH3?",    "SQOX3?",
                          "SQOY3?",   "SQGA3?",    "SQPE3?",     "SQLUT3?",  "SQBL3?"}));
  EXPECT_EQ(page.panel.EditText(2773), "1024");
  EXPECT_EQ(page.table.GetDataValue(2773), 1024);
  EXPECT_EQ(page.panel.SelectedIndex(ctl::SQLUT), 1);
}

TEST(EntryTableHandlers, SequencerGainShowsOneHundredWithIndividualGain) {
  SequencerPage page;
  EntryTableHandlers::OnButton(page.context, ctl::SequencerWrite);
  page.panel.Pick(ctl::IGM, 1);
  page.panel.Type(ctl::SQGA, "0");
  EntryTableHandlers::ReadSequencerEntry(page.context, kEntry);
  EXPECT_EQ(page.panel.EditText(ctl::SQGA), "100");  // the camera holds 200
  EXPECT_EQ(page.table.GetDataValue(ctl::SQGA), 100);
}

TEST(EntryTableHandlers, SequencerIndexCommitAndArrowsReadTheEntry) {
  SequencerPage page;
  page.panel.Type(ctl::SequencerIndex, "500");
  EXPECT_TRUE(EntryTableHandlers::OnEdit(page.context, ctl::SequencerIndex));
  EXPECT_EQ(page.panel.EditText(ctl::SequencerIndex), "128");
  EXPECT_EQ(page.TakeLines().front(), "SQF128?");
  EXPECT_TRUE(EntryTableHandlers::OnSpin(page.context, ctl::SequencerIndexSpin, 1, -1));
  EXPECT_EQ(page.panel.EditText(ctl::SequencerIndex), "1");
  EXPECT_EQ(page.TakeLines().back(), "SQBL1?");
  EXPECT_FALSE(EntryTableHandlers::OnEdit(page.context, 2773));
}

TEST(EntryTableHandlers, AFaultDuringASequencerWriteKeepsGoingOrGivesUp) {
  {
    SequencerPage page;
    page.channel.refused = {"SQH3="};  // one line refused: the rest still go out
    EntryTableHandlers::OnButton(page.context, ctl::SequencerWrite);
    const Lines lines = page.TakeLines();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[4], "SQOX3=64");
  }
  {
    SequencerPage page;
    // The camera falls silent from the sixth line on.
    page.channel.SetResponder([&page](const std::string& text) {
      if (text.starts_with("SQOY"))
        page.channel.SetResponder([](const std::string&) { return std::string(); });
      return std::string();
    });
    page.engine.SetTimeLimitCap(20);
    std::array<int32_t, kSequencerFieldCount> values{};
    EXPECT_EQ(WriteSequencerEntry(page.engine, kEntry, values), Outcome::NoReply);
    // Gave up at the probe after the first unanswered line: the camera answers nothing.
    const Lines lines = page.TakeLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.back(), "MD?");
  }
}

TEST(EntryTableHandlers, BinningHalvesAndDoublesTheSequencerRegion) {
  SequencerPage page;
  page.panel.Pick(ctl::SQHB, 1);
  EXPECT_TRUE(EntryTableHandlers::OnSelect(page.context, ctl::SQHB));
  EXPECT_EQ(page.panel.EditText(ctl::SQW), "512");
  EXPECT_EQ(page.panel.EditText(ctl::SQOX), "32");
  page.panel.Pick(ctl::SQHB, 0);
  EntryTableHandlers::OnSelect(page.context, ctl::SQHB);
  EXPECT_EQ(page.panel.EditText(ctl::SQW), "1024");
  EXPECT_EQ(page.panel.EditText(ctl::SQOX), "64");
  EXPECT_TRUE(page.TakeLines().empty());  // the binning goes out with the entry
  EXPECT_EQ(page.table.GetDataValue(ctl::SQHB), 0);

  page.panel.Type(ctl::SQH, "3");
  page.panel.Pick(ctl::SQVB, 1);
  EntryTableHandlers::OnSelect(page.context, ctl::SQVB);
  EXPECT_EQ(page.panel.EditText(ctl::SQH), "8");  // 1 line is no height
  EXPECT_EQ(page.panel.EditText(ctl::SQOY), "16");
}

TEST(EntryTableHandlers, PixelAndLutEntriesAndBlemishClear) {
  HandlerFixture f;
  f.panel.Type(1423, "5");
  f.panel.Type(1427, "100");
  f.panel.Type(1441, "0");
  EXPECT_TRUE(EntryTableHandlers::OnButton(f.context, 1433));
  EXPECT_EQ(f.TakeLines(), (Lines{"BMPXWG=5,100"}));
  f.panel.Type(1427, "0");
  EntryTableHandlers::OnButton(f.context, 1515);
  EXPECT_EQ(f.TakeLines(), (Lines{"BMPXWG?5"}));
  EXPECT_EQ(f.panel.EditText(1427), "100");

  f.panel.Type(2515, "12");
  f.panel.Type(2517, "0");
  f.panel.Type(2517, "777");
  EntryTableHandlers::OnButton(f.context, 2520);
  f.panel.Type(2517, "0");
  EntryTableHandlers::OnButton(f.context, 2519);
  EXPECT_EQ(f.TakeLines(), (Lines{"LUTR=12,777", "LUTR?12"}));
  EXPECT_EQ(f.panel.EditText(2517), "777");

  // An index that is no number is not put on the line.
  f.panel.Type(2515, "12\r\nRS=0");
  EntryTableHandlers::OnButton(f.context, 2519);
  EXPECT_TRUE(f.TakeLines().empty());
  EXPECT_NE(f.LastMessage().find("not a whole number"), std::string::npos);

  EXPECT_TRUE(EntryTableHandlers::OnButton(f.context, 2871));
  EXPECT_EQ(f.TakeLines(), (Lines{"BMCLRG=5", "BMPXWG?5", "BMPYWG?5"}));
  EXPECT_EQ(f.panel.EditText(1427), "-1");
  EXPECT_EQ(f.panel.EditText(1441), "-1");
}

TEST(EntryTableHandlers, CountsAndTheMultiRoiSwitch) {
  HandlerFixture f;
  f.panel.AddControl(ctl::SQM);
  EXPECT_TRUE(EntryTableHandlers::OnButton(f.context, 2581));
  EXPECT_EQ(f.TakeLines(), (Lines{"BNUMG?"}));
  EXPECT_EQ(f.panel.ControlText(2583), "0");

  EXPECT_TRUE(EntryTableHandlers::OnCheck(f.context, ctl::MultiRoiSwitch));
  EXPECT_EQ(f.TakeLines(), (Lines{"SMRMD?", "SMRMD=1", "VSM?", "SMRMD?"}));
  EXPECT_EQ(f.panel.ControlText(ctl::MultiRoiMode), "1");
  EXPECT_EQ(f.panel.ControlText(ctl::VideoModeText), "SensorMultiRoiMode");
  EXPECT_FALSE(f.panel.ControlEnabled(ctl::SQM));
  EntryTableHandlers::OnCheck(f.context, ctl::MultiRoiSwitch);
  EXPECT_EQ(f.TakeLines(), (Lines{"SMRMD?", "SMRMD=0", "VSM?", "SMRMD?"}));
  EXPECT_EQ(f.panel.ControlText(ctl::MultiRoiMode), "0");
  EXPECT_TRUE(f.panel.ControlEnabled(ctl::SQM));

  f.Silence("SMRMD");
  f.engine.SetTimeLimitCap(20);
  EntryTableHandlers::OnCheck(f.context, ctl::MultiRoiSwitch);
  EXPECT_EQ(f.TakeLines(), (Lines{"SMRMD?"}));  // the mode is unknown: nothing is switched
}

}  // namespace
}  // namespace vistrel::test
