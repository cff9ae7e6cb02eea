#include <gtest/gtest.h>

#include <algorithm>

#include "camera/BaudChoice.h"
#include "camera/CameraFixture.h"
#include "camera/ReadAll.h"
#include "core/CommandTable.h"

namespace vistrel {
namespace {

using test::CameraFixture;

struct ModelCase {
  const char* model;
  int code;
};

// The queries a pass sent, in order (the closing VSM query left out).
std::vector<std::string> Queries(const CameraFixture& f) {
  std::vector<std::string> queries;
  for (const std::string& line : f.channel.Lines()) {
    if (line.ends_with("?") && line != "MD?")
      queries.push_back(line);
  }
  if (!queries.empty() && queries.back() == "VSM?")
    queries.pop_back();
  return queries;
}

int NamedRows(CameraFixture& f) {
  int named = 0;
  for (int i = 0; i < f.table.RowCount(); ++i) {
    if (IsRowReadForModel(f.session, i) && !CommandTable::Name(f.table.Row(i).commandId).empty())
      ++named;
  }
  return named;
}

const ModelCase kModelCases[] = {{"RL-4100T-VLNK", 0},
                                 {"RL-8200T-VLNK", 1},
                                 {"QX-70500M-VLNK", 2},
                                 {"QX-70500C-VLNK", 3},
                                 {"ZZ-1", 4}};

TEST(ModelCheckTest, KnownModelsAndAnUnknownOne) {
  for (const ModelCase& c : kModelCases) {
    CameraFixture f(c.model);
    ASSERT_EQ(f.session.CheckModelAgain(), Outcome::Done) << c.model;
    EXPECT_EQ(f.session.Model().code, c.code);
    EXPECT_EQ(f.session.Model().name, c.model);
    EXPECT_EQ(f.presenter.messages.size(), c.code == 4 ? 1u : 0u);
    if (c.code == 4) {
      EXPECT_EQ(f.presenter.messages[0].text, "Unsupported model: \"ZZ-1\"");
    }
  }
}

// A model given by hand is no answer of the camera: the next check asks the camera again.
TEST(ModelCheckTest, AModelSetByHandIsReplacedByTheCamerasAnswer) {
  CameraFixture f("RL-8200T-VLNK");
  ASSERT_EQ(f.session.CheckModelOnce(), Outcome::Done);
  f.session.SetModel({ModelCodeFor("QX-70500M-VLNK"), "QX-70500M-VLNK"});
  ASSERT_EQ(f.session.CheckModelOnce(), Outcome::Done);
  EXPECT_EQ(f.session.Model().name, "RL-8200T-VLNK");
}

TEST(ReadAllTest, ReadsTheRowsOfEachModelInTableOrder) {
  for (const ModelCase& c : kModelCases) {
    for (bool factory : {false, true}) {
      CameraFixture f(c.model);
      f.session.SetFactoryMode(factory);
      f.session.CheckModelAgain();
      f.channel.written.clear();
      const ReadAllResult result = ReadAll(f.session);
      EXPECT_TRUE(result.Complete()) << c.model << factory << " " << UnreadMessage(result);
      const std::vector<int>& read = result.read;
      const std::vector<std::string> queries = Queries(f);
      // Rows of commands without a name are considered but never sent.
      EXPECT_EQ(static_cast<int>(queries.size()), NamedRows(f)) << c.model << factory;
      EXPECT_TRUE(std::is_sorted(read.begin(), read.end()));
      for (int index : read) {
        const ParameterEntry& row = f.table.Row(index);
        EXPECT_NE(f.table.IsReadable(index), false);
        if (!factory) {
          EXPECT_NE(row.paramClass, ParamClass::Factory);
        }
      }
      EXPECT_EQ(f.channel.Lines().back(), "VSM?");
      EXPECT_EQ(f.progress.messages, std::vector<std::string>{"Now, reading camera settings."});
      EXPECT_EQ(f.progress.ended, 1);
    }
  }
}

TEST(ReadAllTest, ModelFiltersLeaveOutTheirRows) {
  CameraFixture rl2("RL-8200T-VLNK");
  rl2.session.CheckModelAgain();
  ReadAll(rl2.session);
  EXPECT_EQ(std::ranges::count(rl2.channel.Lines(), "SMRW1?"), 0);
  EXPECT_EQ(std::ranges::count(rl2.channel.Lines(), "PER?"), 1);

  CameraFixture qx("QX-70500C-VLNK");
  qx.session.SetFactoryMode(true);
  qx.session.CheckModelAgain();
  ReadAll(qx.session);
  EXPECT_EQ(std::ranges::count(qx.channel.Lines(), "PER?"), 0) << "not a QX row";
  EXPECT_EQ(std::ranges::count(qx.channel.Lines(), "SMRW8?"), 1);
  EXPECT_EQ(std::ranges::count(qx.channel.Lines(), "FCBDRT?"), 1);
}

TEST(ReadAllTest, ProgressTotalIsTheReadableCountOfTheMode) {
  CameraFixture f("QX-70500M-VLNK");
  f.session.CheckModelAgain();
  ReadAll(f.session);
  EXPECT_EQ(f.progress.percents.back(), 192 * 100 / 230)
      << "the bar ends below 100 until the dialog closes";
}

TEST(ReadAllTest, GammaAndCameraBaudValuesSelectTheirEntries) {
  CameraFixture f;
  f.session.SetFactoryMode(true);
  ASSERT_EQ(f.channel.peer.Exchange("GMA=60\r\n"), "COMPLETE\r\n");
  ASSERT_EQ(f.channel.peer.Exchange("FCBDRT=8\r\n"), "COMPLETE\r\n");
  ASSERT_EQ(f.channel.peer.Exchange("CLCFG=2\r\n"), "COMPLETE\r\n");
  f.session.CheckModelAgain();
  ReadAll(f.session);
  std::vector<std::pair<int, int>> selected;
  for (const auto& s : f.hooks.selected)
    selected.push_back({s.ctrlId, s.entry});
  EXPECT_NE(std::find(selected.begin(), selected.end(), std::make_pair(2571, 3)), selected.end());
  EXPECT_NE(std::find(selected.begin(), selected.end(), std::make_pair(1422, 3)), selected.end());
  EXPECT_EQ(f.session.Link().clConfiguration, 2);
  EXPECT_EQ(GammaEntryFor(45), 0);
  EXPECT_EQ(GammaEntryFor(100), 8);
  EXPECT_EQ(CameraBaudEntryFor(1), 0);
  EXPECT_EQ(CameraBaudEntryFor(128), 7);
}

TEST(ReadAllTest, CameraBaudChoiceFollowsTheSupportedRateMask) {
  // The fastest rate needs every known rate bit and nothing more.
  const std::pair<uint32_t, size_t> masks[] = {{31, 5}, {63, 6}, {127, 7}, {255, 8}, {511, 7}};
  for (const auto& [mask, entries] : masks) {
    CameraFixture f("QX-70500C-VLNK", mask);
    FillCameraBaudChoice(f.session);
    ASSERT_EQ(f.hooks.baudEntries.size(), entries) << mask;
    EXPECT_EQ(f.hooks.baudEntries.front().text, "Baud9600");
    EXPECT_EQ(f.hooks.baudEntries.back().value, 1 << (entries - 1));
  }
}

TEST(ReloadTest, ASilentCameraIsAskedForItsModelOnlyAndKeepsThePreviousModel) {
  CameraFixture f("RL-8200T-VLNK");
  ASSERT_EQ(f.session.CheckModelAgain(), Outcome::Done);
  f.session.ForgetModel();  // as the operator's reload does
  f.engine.SetTimeLimitCap(50);
  f.channel.peer.Exchange("CRS00=1\r\n");  // silent while it restarts
  f.channel.written.clear();
  const ReadAllResult result = Reload(f.session);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"MD?"});
  EXPECT_FALSE(result.modelAnswered);
  EXPECT_EQ(result.outcome, Outcome::NoReply);
  EXPECT_TRUE(result.read.empty());
  EXPECT_FALSE(result.unread.empty());
  EXPECT_TRUE(UnreadMessage(result).starts_with("The camera does not answer.\n"))
      << UnreadMessage(result);
  EXPECT_FALSE(f.session.HaveCameraValues());
  EXPECT_EQ(f.session.Model().code, 1);
  EXPECT_EQ(f.online.state, test::RecordingOnlineStatus::State::Offline);
}

TEST(ReloadTest, SynchronisesTableAndModelChoice) {
  CameraFixture f("RL-4100T-VLNK");
  ASSERT_EQ(f.channel.peer.Exchange("TI=1\r\n"), "COMPLETE\r\n");
  EXPECT_TRUE(Reload(f.session).Complete());
  EXPECT_EQ(f.table.GetDataValue(1349), 1);
  EXPECT_EQ(f.table.GetLastSentValue(1349), 1);
  EXPECT_EQ(f.hooks.modelEntries, (std::vector<std::string>{"RL-4100T-VLNK", "RL-8200T-VLNK"}));
  EXPECT_EQ(f.hooks.modelSelection, 0);
  int32_t minimum = 0, maximum = 0;
  ASSERT_TRUE(f.table.GetRange(1424, minimum, maximum));
  EXPECT_EQ(maximum, 1455) << "ranges follow the model";
  EXPECT_EQ(f.view.rangesApplied, 1);
}

}  // namespace
}  // namespace vistrel
