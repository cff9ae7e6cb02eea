// The indexed entry tables as their pages run them: sequencer entries, pixel and LUT
// entries, blemish clears, count read-outs and the sensor multi-ROI switch.

#include <gtest/gtest.h>

#include "camera/CameraModel.h"
#include "camera/EntryTables.h"
#include "core/ControlIds.h"
#include "params/EntryTableHandlers.h"
#include "tests/adjust/HandlerFixture.h"

namespace vistrel::test {
namespace {

constexpr int kEntry = 3;
constexpr const char* kQxColour = "QX-70500C-VLNK";
constexpr const char* kRlColour = "RL-4100T-VLNK";

SimConfig OfModel(const char* model) {
  SimConfig config;
  config.model = model;
  return config;
}

// The sequencer page of a model with entry 3 typed in.
struct SequencerPage : HandlerFixture {
  explicit SequencerPage(const char* model = kQxColour) : HandlerFixture(OfModel(model)) {
    session.SetModel({ModelCodeFor(model), model});
    panel.AddChoice(ctl::IGM, {"Off", "On"});
    panel.AddChoice(ctl::SQLUT, {"LUT0", "LUT1", "LUT2"});
    panel.AddChoice(ctl::SQHB, {"1", "2"});
    panel.AddChoice(ctl::SQVB, {"1", "2"});
    panel.Type(ctl::SequencerIndex, std::to_string(kEntry));
    const std::pair<int, const char*> typed[] = {
        {2769, "2"},    {2771, "4"},    {2773, "1024"}, {2775, "768"}, {2777, "64"},
        {2779, "32"},   {2781, "200"},  {2783, "5000"}, {2788, "10"},  {5131, "6000"},
        {5133, "7000"}, {5135, "8000"}, {2790, "150"},  {5137, "100"}, {2792, "160"}};
    for (auto [ctrlId, text] : typed)
      panel.Type(ctrlId, text);
    panel.Pick(ctl::SQLUT, 1);
  }
  // What the camera holds for a field of entry 3.
  std::optional<int32_t> Held(int ctrlId) {
    SequencerValues values;
    vistrel::ReadSequencerEntry(engine, session.Model(), kEntry, values);
    TakeLines();
    return values[SequencerFieldIndex(ctrlId)];
  }
};

// The write lines, then the queries of the same fields in the same order.
Lines WriteThenRead(const Lines& written) {
  Lines lines = written;
  for (const std::string& line : written)
    lines.push_back(line.substr(0, line.find('=')) + "?");
  return lines;
}

TEST(EntryTableHandlers, SequencerWriteSendsTheFieldsTheModelShowsThenReadsThemBack) {
  const Lines qxRegion = {"SQW3=1024", "SQH3=768",  "SQOX3=64",
                          "SQOY3=32",  "SQGA3=200", "SQPE3=5000"};
  const Lines perColour = {"SQPER3=6000", "SQPEG3=7000", "SQPEB3=8000",
                           "SQGR3=150",   "SQGG3=100",   "SQGB3=160"};
  struct Case {
    const char* model;
    int binning;  // the position picked in both binning choices
    Lines binningLines;
    bool colourFields;
  };
  const Case cases[] = {{kQxColour, 0, {"SQHB3=1", "SQVB3=1"}, false},
                        {kQxColour, 1, {"SQHB3=2", "SQVB3=2"}, false},
                        {kRlColour, 0, {"SQHB3=1", "SQVB3=1"}, true},
                        {kRlColour, 1, {"SQHB3=2", "SQVB3=2"}, true}};
  for (const Case& c : cases) {
    SequencerPage page(c.model);
    page.panel.Pick(ctl::SQHB, c.binning);
    page.panel.Pick(ctl::SQVB, c.binning);
    EXPECT_TRUE(EntryTableHandlers::OnButton(page.context, ctl::SequencerWrite));
    Lines written = {"SQF3=2", "SQNI3=4"};
    written.insert(written.end(), c.binningLines.begin(), c.binningLines.end());
    written.insert(written.end(), qxRegion.begin(), qxRegion.end());
    if (c.colourFields)
      written.insert(written.end(), perColour.begin(), perColour.end());
    written.insert(written.end(), {"SQLUT3=1", "SQBL3=10"});
    EXPECT_EQ(page.TakeLines(), WriteThenRead(written)) << c.model << " " << c.binning;
    EXPECT_EQ(page.panel.SelectedIndex(ctl::SQVB), c.binning);
    EXPECT_EQ(page.panel.SelectedIndex(ctl::SQLUT), 1);
    EXPECT_EQ(page.table.GetDataValue(ctl::SQW), 1024);
    EXPECT_TRUE(page.presenter.messages.empty());
  }
}

TEST(EntryTableHandlers, BinningChosenOnThePageIsHeldByTheCameraAfterWrite) {
  SequencerPage page;
  page.panel.Pick(ctl::SQHB, 1);
  EntryTableHandlers::OnSelect(page.context, ctl::SQHB);
  EntryTableHandlers::OnButton(page.context, ctl::SequencerWrite);
  EXPECT_EQ(page.Held(ctl::SQHB), 2);
  EXPECT_EQ(page.Held(ctl::SQOX), 32);
  // Another entry read shows its own binning, and this one comes back with its own.
  EntryTableHandlers::ReadSequencerEntry(page.context, kEntry + 1);
  EXPECT_EQ(page.panel.SelectedIndex(ctl::SQHB), 0);
  EntryTableHandlers::ReadSequencerEntry(page.context, kEntry);
  EXPECT_EQ(page.panel.SelectedIndex(ctl::SQHB), 1);
  EXPECT_EQ(page.panel.EditText(ctl::SQW), "512");
}

TEST(EntryTableHandlers, SequencerGainsShowTheFixedValueUnderTheIndividualGainMode) {
  SequencerPage page(kRlColour);
  page.panel.Type(ctl::SQGG, "300");
  EntryTableHandlers::OnButton(page.context, ctl::SequencerWrite);
  EXPECT_EQ(page.panel.EditText(ctl::SQGG), "100");  // the camera holds 300
  page.panel.Pick(ctl::IGM, 1);
  EntryTableHandlers::ReadSequencerEntry(page.context, kEntry);
  EXPECT_EQ(page.panel.EditText(ctl::SQGA), "100");  // the camera holds 200
  EXPECT_EQ(page.table.GetDataValue(ctl::SQGA), 100);
  EXPECT_EQ(page.panel.EditText(ctl::SQGG), "300");
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

TEST(EntryTableHandlers, ALineTheCameraDoesNotTakeIsNamedAndMarked) {
  {
    SequencerPage page;
    page.channel.refused = {"SQH3="};  // one line refused: the rest still go out
    EntryTableHandlers::OnButton(page.context, ctl::SequencerWrite);
    const Lines lines = page.TakeLines();
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[6], "SQOX3=64");
    EXPECT_NE(page.LastMessage().find("did not take SQH (refused"), std::string::npos)
        << page.LastMessage();
    EXPECT_TRUE(page.panel.Unwritten(ctl::SQH));
    EXPECT_FALSE(page.panel.Unwritten(ctl::SQW));
    // The next good read clears the mark.
    page.channel.refused.clear();
    EntryTableHandlers::ReadSequencerEntry(page.context, kEntry);
    EXPECT_FALSE(page.panel.Unwritten(ctl::SQH));
  }
  {
    SequencerPage page;
    // The camera falls silent from the eighth line on.
    page.channel.SetResponder([&page](const std::string& text) {
      std::string reply = page.channel.peer.Exchange(text);
      if (text.starts_with("SQOY"))
        page.channel.SetResponder([](const std::string&) { return std::string(); });
      return reply;
    });
    page.engine.SetTimeLimitCap(20);
    SequencerValues values;
    for (size_t i = 0; i < kSequencerFieldCount; ++i)
      values[i] = SequencerFields()[i].minimum;
    std::vector<const SequencerField*> failed;
    EXPECT_EQ(WriteSequencerEntry(page.engine, page.session.Model(), kEntry, values, failed),
              Outcome::NoReply);
    // Gave up at the model query probe after the first unanswered line.
    const Lines lines = page.TakeLines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines.back(), "MD?");
    ASSERT_EQ(failed.size(), 4u);  // SQGA, SQPE, SQLUT, SQBL: none taken
    EXPECT_STREQ(failed.front()->name, "SQGA");
  }
}

TEST(EntryTableHandlers, BinningHalvesAndDoublesTheSequencerRegion) {
  SequencerPage page;
  page.panel.Pick(ctl::SQHB, 1);
  EXPECT_TRUE(EntryTableHandlers::OnSelect(page.context, ctl::SQHB));
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
