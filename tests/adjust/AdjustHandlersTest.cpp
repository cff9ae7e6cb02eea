// The one-shot adjustments as the image page runs them: the lines sent, the polling and its
// bounds, the result shown, the choice put back to off, and the enabling rules.

#include <gtest/gtest.h>

#include <algorithm>

#include "camera/AutoAdjust.h"
#include "core/ControlIds.h"
#include "params/AdjustHandlers.h"
#include "tests/adjust/HandlerFixture.h"

namespace vistrel::test {
namespace {

constexpr int kOnce = 2;

// The image page's adjustment choices on a simulated camera.
struct ImagePage : HandlerFixture {
  explicit ImagePage(SimConfig config = {}) : HandlerFixture(std::move(config)) {
    panel.AddChoice(ctl::ASC, {"Off", "Continuous", "Once"});
    panel.AddChoice(ctl::AGC, {"Off", "Continuous", "Once"});
    panel.AddChoice(ctl::IGM, {"Off", "On"});
    panel.AddChoice(ctl::ETM, {"Off", "On"});
    panel.AddChoice(ctl::AWB, {"Off", "Continuous", "Once", "Preset3200K"});
  }
  bool Select(int ctrlId, int entry) {
    panel.Pick(ctrlId, entry);
    return AdjustHandlers::OnSelect(context, ctrlId);
  }
};

TEST(AdjustHandlers, ExposureOnceConvergesAfterFourPollsThenRereadsAndReturnsToOff) {
  ImagePage page(ScriptedStatuses({4, 4, 0, 8}));
  EXPECT_TRUE(page.Select(ctl::ASC, kOnce));
  const Lines lines = page.TakeLines();
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 6),
            (Lines{"ASC=2", "ATCS?", "ATCS?", "ATCS?", "ATCS?", "PE?"}));
  // Off was the row's value all along: the choice going back to it is not sent.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "ASC=0"), 0);
  EXPECT_EQ(page.LastMessage(), "Convergent");
  EXPECT_EQ(page.presenter.messages.back().caption, "Exposure Auto Result");
  EXPECT_EQ(page.panel.SelectedIndex(ctl::ASC), 0);
  EXPECT_EQ(page.watch.statuses.size(), 4u);
}

TEST(AdjustHandlers, WhiteBalanceOnceCompletesAfterTwoPolls) {
  ImagePage page(ScriptedStatuses({4, 0}));
  page.panel.ShowText(ctl::WhiteBalanceResult, "stale");
  EXPECT_TRUE(page.Select(ctl::AWB, kOnce));
  EXPECT_EQ(page.TakeLines(), (Lines{"AWB=2", "AWRS?", "AWRS?", "PGR?", "PGB?"}));
  EXPECT_EQ(page.LastMessage(), "Complete");
  EXPECT_EQ(page.presenter.messages.back().caption, "Balance White Auto Result");
  EXPECT_EQ(page.panel.ControlText(ctl::WhiteBalanceResult), "Complete");
  EXPECT_EQ(page.panel.SelectedIndex(ctl::AWB), 0);
}

TEST(AdjustHandlers, FinalCodesWithoutTheirOwnTextAndIdle) {
  {
    ImagePage page(ScriptedStatuses({7}));  // final for white balance, not for exposure
    page.Select(ctl::AWB, kOnce);
    EXPECT_EQ(page.LastMessage(), "Unknown Result");
  }
  {
    ImagePage page(ScriptedStatuses({7, 255}));
    page.Select(ctl::AGC, kOnce);
    EXPECT_EQ(page.TakeLines(), (Lines{"AGC=2", "ATCS?", "ATCS?", "FGA?"}));
    EXPECT_EQ(page.LastMessage(), "Idle");
  }
  EXPECT_EQ(AutoResultText(6), "Trig is not set as Normal");
}

TEST(AdjustHandlers, ASilentCameraEndsTheRunAtTheCountOfUnansweredPolls) {
  ImagePage page;
  page.Silence("ATCS");
  page.Select(ctl::ASC, kOnce);
  // Three unanswered polls, then the off setting (the run may still go on), no re-read.
  EXPECT_EQ(page.TakeLines(), (Lines{"ASC=2", "ATCS?", "ATCS?", "ATCS?", "ASC=0"}));
  EXPECT_NE(page.LastMessage().find("stopped answering"), std::string::npos);
  EXPECT_EQ(page.presenter.messages.back().icon, MessageIcon::Exclamation);
}

TEST(AdjustHandlers, ARunThatNeverEndsIsStoppedAtTheTimeBound) {
  ImagePage page(ScriptedStatuses(std::vector<int32_t>(1000, 4)));
  ManualClock clock;
  page.UseClock(clock);
  PollLimits poll = page.session.Poll();
  poll.intervalMs = 10;
  poll.totalMs = 60;
  page.session.SetPoll(poll);
  page.Select(ctl::ASC, kOnce);
  const Lines lines = page.TakeLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "ATCS?"), 6);  // one poll every 10 ms
  EXPECT_EQ(clock.pauses, std::vector<int>(6, 10));
  // The camera's run is stopped, then the exposure it reached is read back.
  const auto stop = std::find(lines.begin(), lines.end(), "ASC=0");
  ASSERT_NE(stop, lines.end());
  ASSERT_NE(stop + 1, lines.end());
  EXPECT_EQ(*(stop + 1), "PE?");
  EXPECT_NE(page.LastMessage().find("No final result"), std::string::npos);
}

TEST(AdjustHandlers, CancelStopsTheCamerasRunWithItsOffSetting) {
  ImagePage page(ScriptedStatuses({4, 4, 4, 4}));
  page.watch.cancelAt = 3;
  page.Select(ctl::AWB, kOnce);
  // The gains are read back: the camera may have moved them before the run was stopped.
  EXPECT_EQ(page.TakeLines(), (Lines{"AWB=2", "AWRS?", "AWRS?", "AWB=0", "PGR?", "PGB?"}));
  EXPECT_NE(page.LastMessage().find("Cancelled"), std::string::npos);
}

TEST(AdjustHandlers, AFaultDuringARunEndsItWithoutAResult) {
  {
    ImagePage page(ScriptedStatuses({4, 4}));
    page.channel.refused = {"ASC="};  // the camera does not take the start
    page.Select(ctl::ASC, kOnce);
    EXPECT_EQ(page.TakeLines(), (Lines{"ASC=2"}));
    // The camera's refusal is the one message: no second box repeats it.
    EXPECT_EQ(page.presenter.messages.size(), 1u);
    EXPECT_EQ(page.LastMessage(), "ERROR: refused for the test");
  }
  {
    ImagePage page(ScriptedStatuses({4, 4, 4, 4}));
    page.channel.SetResponder([&page](const std::string& text) {
      if (text.starts_with("ATCS") && page.watch.waits == 2)
        page.channel.writeOk = false;  // the line breaks in the middle of the run
      return page.channel.peer.Exchange(text);
    });
    page.Select(ctl::ASC, kOnce);
    ASSERT_EQ(page.watch.statuses.size(), 3u);
    EXPECT_FALSE(page.watch.statuses.back());
    EXPECT_EQ(page.LastMessage(), "The connection to the camera was lost.");
  }
}

TEST(AdjustHandlers, WhiteBalanceValuesFollowTheGainAndExposureModes) {
  // Individual gain off, per-colour exposure on: the entry is the value.
  for (int i = 0; i <= 8; ++i)
    EXPECT_EQ(WhiteBalanceValue(i, false, true), i);
  EXPECT_FALSE(WhiteBalanceValue(9, false, true));
  // Both off: the exposure modes are left out of the list.
  const int32_t noExposure[] = {0, 1, 2, 5, 6, 7, 8};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(WhiteBalanceValue(i, false, false), noExposure[i]);
  EXPECT_FALSE(WhiteBalanceValue(7, false, false));
  // Individual gain on: the two exposure modes only, or nothing but off.
  EXPECT_EQ(WhiteBalanceValue(1, true, true), 4);
  EXPECT_EQ(WhiteBalanceValue(2, true, true), 3);
  EXPECT_FALSE(WhiteBalanceValue(3, true, true));
  EXPECT_EQ(WhiteBalanceValue(1, true, false), 0);
}

TEST(AdjustHandlers, ExposureOnceWithIndividualGainSendsItsValueWithoutPolling) {
  ImagePage page;
  page.panel.Pick(ctl::IGM, 1);
  page.panel.Pick(ctl::ETM, 1);
  page.panel.RefillChoice(ctl::AWB, {{"Off", 0}, {"ExposureOnce", 4}, {"ExposureContinuous", 3}});
  page.Select(ctl::AWB, 1);
  EXPECT_EQ(page.TakeLines(), (Lines{"AWB=4", "AWRS?"}));
  EXPECT_EQ(page.panel.ControlText(ctl::WhiteBalanceResult), "Complete");
  // The mode is the row's value now: a later change does not send it a second time.
  EXPECT_EQ(page.table.GetLastSentValue(ctl::AWB), 4);
  EXPECT_TRUE(page.presenter.messages.empty());
}

TEST(AdjustHandlers, UnknownEntryIsReportedAndNothingSent) {
  ImagePage page;
  page.panel.RefillChoice(ctl::ASC, {{"Off", 0}, {"Continuous", 1}, {"Once", 2}, {"?", 3}});
  page.Select(ctl::ASC, 3);
  EXPECT_TRUE(page.TakeLines().empty());
  EXPECT_EQ(page.LastMessage(), "Unkown Parameter");
  EXPECT_EQ(page.presenter.messages.back().caption, "Error");
}

TEST(AdjustHandlers, ContinuousModesSwitchTheLimitsAndManualControls) {
  ImagePage page;
  page.Select(ctl::ASC, 1);
  EXPECT_EQ(page.TakeLines(), (Lines{"ASC=1", "ASC?"}));
  EXPECT_TRUE(page.panel.ControlEnabled(ctl::ASCEA));
  EXPECT_FALSE(page.panel.ControlEnabled(ctl::PE));
  EXPECT_FALSE(page.panel.ControlEnabled(ctl::ETM));
  page.Select(ctl::ASC, 0);
  EXPECT_FALSE(page.panel.ControlEnabled(ctl::ASCEI));
  EXPECT_TRUE(page.panel.ControlEnabled(ctl::PESpin));

  page.panel.Pick(ctl::IGM, 1);
  page.Select(ctl::AGC, 1);
  EXPECT_TRUE(page.panel.ControlEnabled(ctl::AGCGISpin));
  int32_t minimum = 0, maximum = 0;
  page.table.GetRange(ctl::FGR, minimum, maximum);
  EXPECT_EQ(minimum, 100);
  EXPECT_EQ(maximum, 6400);
  AdjustHandlers::ApplyWhiteGainRule(page.context);
  EXPECT_FALSE(page.panel.ControlEnabled(ctl::FGA));
  EXPECT_TRUE(page.panel.ControlEnabled(ctl::FGGSpin));
}

TEST(AdjustHandlers, ShadingLevelStatusAndAreaSelection) {
  ImagePage page;
  EXPECT_TRUE(AdjustHandlers::OnButton(page.context, ctl::ShadingButton));
  EXPECT_EQ(page.TakeLines(), (Lines{"RS=0", "SDRS?"}));
  EXPECT_EQ(page.panel.ControlText(ctl::ShadingResult), "Complete");
  EXPECT_EQ(page.LastMessage(), "Complete");
  EXPECT_EQ(page.presenter.messages.back().caption, "Recalibrate FFC (User)");

  page.channel.SetResponder([](const std::string&) { return std::string("ALCST=5\r\n"); });
  page.panel.ShowText(ctl::LevelStatusText, "AIC");
  AdjustHandlers::OnButton(page.context, ctl::LevelStatusRead);
  EXPECT_EQ(page.panel.ControlText(ctl::LevelStatusText), "");
  page.channel.SetResponder([](const std::string&) { return std::string("ALCST=3\r\n"); });
  AdjustHandlers::OnButton(page.context, ctl::LevelStatusRead);
  EXPECT_EQ(page.panel.ControlText(ctl::LevelStatusText), "AGC");
  page.TakeLines();

  page.channel.SetResponder(
      [&page](const std::string& t) { return page.channel.peer.Exchange(t); });
  page.panel.Check(ctl::AWBA, true);
  EXPECT_TRUE(AdjustHandlers::OnCheck(page.context, ctl::AWBA));
  const Lines lines = page.TakeLines();
  ASSERT_EQ(lines.size(), 18u);  // the setting, its read-back, the sixteen areas
  EXPECT_EQ(lines[0], "AWBA=1");
  EXPECT_EQ(lines[2], "AWBLR?");  // control id order: low-right first
  EXPECT_EQ(lines[17], "AWBHL?");
  EXPECT_FALSE(page.panel.ControlEnabled(ctl::FirstBalanceArea));
  EXPECT_FALSE(AdjustHandlers::OnCheck(page.context, ctl::FirstBalanceArea));
}

}  // namespace
}  // namespace vistrel::test
