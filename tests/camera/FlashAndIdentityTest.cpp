#include <gtest/gtest.h>

#include <algorithm>

#include "camera/CameraData.h"
#include "camera/CameraFixture.h"
#include "camera/FlashAreas.h"
#include "core/Clock.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

using test::CameraFixture;

std::vector<std::string> Settings(const CameraFixture& f) {
  std::vector<std::string> lines;
  for (const std::string& line : f.channel.Lines()) {
    if (line.find('=') != std::string::npos)
      lines.push_back(line);
  }
  return lines;
}

TEST(FlashAreasTest, StoreAllCountsFailuresAndGoesOn) {
  CameraFixture f;
  ManualClock clock;
  f.engine.SetClock(&clock);
  f.channel.refused = {"SA=3", "SA=1"};
  EXPECT_EQ(StoreAll(f.session), Outcome::Refused);
  EXPECT_EQ(Settings(f), (std::vector<std::string>{"SA=3", "SA=2", "SA=1"}));
  EXPECT_EQ(clock.pauses, std::vector<int>(3, limits::kLinePauseMs)) << "one before each store";
  EXPECT_EQ(f.presenter.messages.back().text, "Couldn't store current setting data!");
  EXPECT_EQ(f.presenter.questions[0].text,
            "Are you sure you want to overwrite into all EEPROM areas?");

  f.channel.refused.clear();
  EXPECT_EQ(StoreAll(f.session), Outcome::Done);
  EXPECT_EQ(f.presenter.messages.back().text, "Completed to store current setting data!");

  f.presenter.answers = {false};
  f.channel.written.clear();
  EXPECT_EQ(StoreAll(f.session), Outcome::BadInput) << "said no";
  EXPECT_TRUE(f.channel.written.empty());

  EXPECT_EQ(UserSetStore(f.session, 1), Outcome::Done);
  EXPECT_EQ(f.progress.messages.back(), "Now, Storing camera data.");
  EXPECT_EQ(f.progress.ended, 1);
}

TEST(FlashAreasTest, StoreAndLoadAreas) {
  CameraFixture f;
  EXPECT_EQ(AreaChoices(true, false), (std::vector<std::string>{"User 1", "User 2", "User 3"}));
  EXPECT_EQ(AreaChoices(true, true).front(), "Factory");
  EXPECT_EQ(AreaChoices(false, false).size(), 4u);
  EXPECT_EQ(AreaFromChoice("User 2"), 2);
  EXPECT_EQ(AreaFromChoice("Other"), -1);

  EXPECT_EQ(StoreArea(f.session, -1), Outcome::BadInput);
  EXPECT_EQ(f.presenter.messages.back().text, "Selected invalid area !");
  EXPECT_TRUE(f.channel.written.empty());

  ASSERT_EQ(f.channel.peer.Exchange("TI=1\r\n"), "COMPLETE\r\n");
  EXPECT_EQ(StoreArea(f.session, 2), Outcome::Done);
  EXPECT_EQ(f.presenter.messages.back().text, "Completed saving current setting data !");
  EXPECT_EQ(StoreArea(f.session, 0), Outcome::Done);
  EXPECT_EQ(Settings(f), (std::vector<std::string>{"SA=2", "SA00=0"}));

  ASSERT_EQ(f.channel.peer.Exchange("TI=0\r\n"), "COMPLETE\r\n");
  EXPECT_EQ(LoadArea(f.session, 2), Outcome::Done);
  EXPECT_EQ(f.table.GetDataValue(1349), 1) << "the area's settings are read back";
  EXPECT_EQ(f.session.LastArea(), 2);

  f.channel.refused = {"LD="};
  f.channel.written.clear();
  EXPECT_EQ(UserSetLoad(f.session, 0), Outcome::Refused);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"LD=0"}) << "nothing read after a failure";
}

TEST(FlashAreasTest, ResetReportsFailure) {
  CameraFixture f;
  f.channel.refused = {"CRS00="};
  EXPECT_EQ(CameraReset(f.session), Outcome::Refused);
  EXPECT_EQ(f.presenter.messages.back().text, "Failed sending \"Camera Reset Command\".");
  f.channel.refused.clear();
  EXPECT_EQ(CameraReset(f.session), Outcome::Done);
}

// After a reset the camera is asked for its model, and nothing else, until it answers again:
// a camera back within the limit is waited for and no longer, one that stays silent is given
// up at the limit. All on the engine's clock.
TEST(FlashAreasTest, TheWaitAfterAResetEndsWhenTheCameraAnswersAgain) {
  for (const int silentMs : {4000, limits::kRestartMs + 1000}) {
    ManualClock clock;
    SimConfig config = CameraFixture::Config("QX-70500C-VLNK", 31);
    config.resetTime = std::chrono::milliseconds(silentMs);
    CameraFixture f(config, [&clock] { return SimTime(clock.Now()); });
    f.engine.SetClock(&clock);
    f.channel.clock = &clock;
    ASSERT_EQ(CameraReset(f.session), Outcome::Done);
    f.channel.written.clear();
    const RestartWait wait = WaitForRestart(f.session, limits::kRestartMs);
    const bool back = silentMs < limits::kRestartMs;
    EXPECT_EQ(wait.outcome, back ? Outcome::Done : Outcome::NoReply) << silentMs;
    EXPECT_GE(wait.tookMs, back ? silentMs : limits::kRestartMs);
    EXPECT_LE(wait.tookMs,
              (back ? silentMs : limits::kRestartMs) + limits::kProbeMs + limits::kRestartPollMs);
    EXPECT_TRUE(std::ranges::all_of(f.channel.Lines(),
                                    [](const std::string& line) { return line == "MD?"; }));
    EXPECT_TRUE(f.presenter.messages.empty()) << "the silence shows no message";
  }
}

}  // namespace
}  // namespace vistrel
