#include <gtest/gtest.h>

#include "core/Command.h"
#include "core/TextEscape.h"
#include "support/Recorders.h"
#include "support/ScriptedChannel.h"

namespace vistrel {
namespace {

using test::RecordingOnlineStatus;
using test::RecordingPresenter;
using test::RecordingTraffic;
using test::ScriptedChannel;
using State = RecordingOnlineStatus::State;

constexpr int kTI = 18;
constexpr int kUD = 5;
constexpr int kShortLimit = 150;

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : engine(channel, presenter) {
    channel.clock = &clock;
    engine.SetClock(&clock);
    engine.SetOnlineStatus(&online);
    engine.SetTrafficSink(&traffic);
  }

  // The camera answers every line with `reply` followed by CR LF.
  void AnswerWith(const std::string& reply) {
    channel.SetResponder([reply](const std::string&) { return reply + "\r\n"; });
  }

  ManualClock clock;
  ScriptedChannel channel;
  RecordingPresenter presenter;
  RecordingOnlineStatus online;
  RecordingTraffic traffic;
  Command engine;
};

TEST_F(EngineTest, SettingSucceedsOnlyOnCompleteInItsFirstEightCharacters) {
  for (const char* reply : {"COMPLETE", "complete", "COMPLETED", "Complete now"}) {
    AnswerWith(reply);
    EXPECT_EQ(engine.SetValue(kTI, 2, kShortLimit), Outcome::Done) << reply;
  }
  EXPECT_TRUE(presenter.messages.empty());
  EXPECT_EQ(channel.written.back(), "TI=2\r\n");

  AnswerWith("COMPLET");
  EXPECT_NE(engine.SetValue(kTI, 2, kShortLimit), Outcome::Done);
  ASSERT_EQ(presenter.messages.size(), 1u);
  EXPECT_EQ(presenter.messages[0].text, "COMPLET");
  EXPECT_EQ(presenter.messages[0].caption, "Communication Error");
  EXPECT_EQ(presenter.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(online.state, State::Online) << "a refusal is still a line from the camera";
}

TEST_F(EngineTest, AnExchangeWithoutReplyWaitsItsLimitAndGoesOfflineWithoutMessage) {
  EXPECT_EQ(engine.SetValue(kTI, 1, 300), Outcome::NoReply);
  EXPECT_EQ(clock.ElapsedMs(), 300) << "the whole limit is waited, and no more";
  EXPECT_EQ(online.state, State::Offline);
  online.state = State::Online;
  int32_t value = 0;
  EXPECT_NE(engine.GetValue(kTI, value, 100), Outcome::Done);
  EXPECT_EQ(online.state, State::Offline);
  // The cap shortens every wait.
  engine.SetTimeLimitCap(50);
  EXPECT_NE(engine.GetValue(kTI, value, 5000), Outcome::Done);
  EXPECT_EQ(clock.ElapsedMs(), 300 + 100 + 50);
  EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(EngineTest, TextWithLineBreakIsRefusedAndNothingIsSent) {
  AnswerWith("COMPLETE");
  EXPECT_NE(engine.SetText(kUD, "cam\r\nCRS00=1", kShortLimit), Outcome::Done);
  EXPECT_NE(engine.SetText(kUD, "cam\nx", kShortLimit), Outcome::Done);
  EXPECT_TRUE(channel.written.empty());
  EXPECT_EQ(engine.SetText(kUD, "My Cam", kShortLimit), Outcome::Done);
  EXPECT_EQ(channel.written.back(), "UD=My Cam\r\n");
  // Any command can carry a text, whatever its kind in the table.
  EXPECT_EQ(engine.SetText(kTI, "abc", kShortLimit), Outcome::Done);
  EXPECT_EQ(channel.written.back(), "TI=abc\r\n");
}

TEST_F(EngineTest, QueryParsesHexadecimalBlanksAndCase) {
  AnswerWith("TI = &h1F");
  int32_t value = 0;
  EXPECT_EQ(engine.GetValue(kTI, value, kShortLimit), Outcome::Done);
  EXPECT_EQ(value, 31);
  EXPECT_EQ(channel.written.back(), "TI?\r\n");
  EXPECT_EQ(online.state, State::Online);

  // A line of 40 characters comes back whole.
  const std::string tail(29, 'a');
  AnswerWith("UD=My Cam 1" + tail);
  std::string text;
  EXPECT_EQ(engine.GetText(kUD, text, kShortLimit), Outcome::Done);
  EXPECT_EQ(text, "MYCAM1" + std::string(29, 'A'));
  EXPECT_EQ(engine.LastAnswerText(), "My Cam 1" + tail) << "shown as the camera sent it";
}

TEST_F(EngineTest, QueryAnsweredForAnotherCommandShowsReplyForQuery) {
  online.state = State::Unknown;
  AnswerWith("ERRER=1");
  int32_t value = 77;
  EXPECT_NE(engine.GetValue(kTI, value, kShortLimit), Outcome::Done);
  EXPECT_EQ(value, 77) << "out must stay unchanged on failure";
  ASSERT_EQ(presenter.messages.size(), 1u);
  EXPECT_EQ(presenter.messages[0].text, "ERRER=1 for TI?");
  EXPECT_EQ(online.state, State::Unknown) << "a mismatch leaves the link state alone";

  // The camera's line is shown unchanged; a noisy byte in the value is named.
  const std::pair<const char*, const char*> replies[] = {
      {"XYZ?", "XYZ? for TI?"},
      {"garbage", "garbage for TI?"},
      {"TI=1O", "TI=1O for TI? (no clean number; the value was not taken)"},
      {"Error: not supported by model", "Error: not supported by model for TI?"},
  };
  for (const auto& [reply, message] : replies) {
    AnswerWith(reply);
    EXPECT_EQ(engine.GetValue(kTI, value, kShortLimit), Outcome::Refused) << reply;
    EXPECT_EQ(presenter.messages.back().text, message);
  }
}

TEST_F(EngineTest, QueryRawTakesFirstValueAndOfflineOnlyWhenAsked) {
  AnswerWith("LUTR=12,345");
  int32_t value = 0;
  EXPECT_EQ(engine.QueryRaw(value, "LUTR?12\r\n", kShortLimit, true), Outcome::Done);
  EXPECT_EQ(value, 12);
  AnswerWith("BNUM=0x10");
  EXPECT_EQ(engine.QueryRaw(value, "BNUM?\r\n", kShortLimit, false), Outcome::Done);
  EXPECT_EQ(value, 16) << "automatic base";
  AnswerWith("345");
  EXPECT_EQ(engine.QueryRaw(value, "LUTR?12\r\n", kShortLimit, false), Outcome::Done);
  EXPECT_EQ(value, 345) << "a bare value is the value";

  // A refusal or garbage is no value, not a 0.
  value = 77;
  for (const char* reply :
       {"Error: value out of range", "garbage", "LUTR?", "LUTR=12,3x4", "12 345", "12,345"}) {
    AnswerWith(reply);
    EXPECT_EQ(engine.QueryRaw(value, "LUTR?12\r\n", kShortLimit, false), Outcome::Refused) << reply;
    EXPECT_EQ(value, 77);
  }
  EXPECT_EQ(presenter.messages.front().text, "Error: value out of range for LUTR?12");
  AnswerWith("BNUM=1,2");
  EXPECT_NE(engine.QueryRaw(value, "BNUM?\r\n", kShortLimit, false), Outcome::Done)
      << "two numbers for a command that holds one";
  AnswerWith(" &HFFF ");
  EXPECT_EQ(engine.QueryRaw(value, "LUTR?12\r\n", kShortLimit, false), Outcome::Done);
  EXPECT_EQ(value, 4095);

  channel.SetResponder({});
  online.state = State::Online;
  EXPECT_NE(engine.QueryRaw(value, "TI?\r\n", 50, false), Outcome::Done);
  EXPECT_EQ(online.state, State::Online);
  EXPECT_NE(engine.QueryRaw(value, "TI?\r\n", 50, true), Outcome::Done);
  EXPECT_EQ(online.state, State::Offline);
}

TEST_F(EngineTest, PartialLineContinuesUntilReset) {
  channel.Push("COMP");
  EXPECT_FALSE(engine.ReceiveLine(true, 0));
  channel.Push("LETE\r\n");
  EXPECT_TRUE(engine.ReceiveLine(true, 0));
  EXPECT_EQ(engine.TakeReply(), "COMPLETE");

  channel.Push("TI=");
  EXPECT_FALSE(engine.ReceiveLine(true, 0));
  engine.ResetReceive();
  channel.Push("1\r\n");
  EXPECT_TRUE(engine.ReceiveLine(true, 0));
  EXPECT_EQ(engine.TakeReply(), "1");
}

TEST_F(EngineTest, LeftoverBytesWithoutLineEndAreDroppedOnlyOnceTheyHaveSat) {
  // Noise that has sat since before the limit: dropped and logged; the answer is clean.
  channel.Push("xx");
  clock.Advance(Command::kLeftoverMs);
  AnswerWith("TI=5");
  int32_t value = 0;
  EXPECT_EQ(engine.GetValue(kTI, value, kShortLimit), Outcome::Done);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(traffic.lines.front(), "Rx: xx (no line end; dropped)");
  // The start of an answer still arriving is kept.
  channel.SetResponder({});
  channel.Push("TI=");
  EXPECT_FALSE(engine.ReceiveLine(true, kShortLimit));
  AnswerWith("7");
  EXPECT_EQ(engine.GetValue(kTI, value, kShortLimit), Outcome::Done);
  EXPECT_EQ(value, 7);
}

TEST_F(EngineTest, IdleDrainNeverBlocksAndStripsLineEndsWithoutLosingText) {
  engine.DrainIdle();
  EXPECT_EQ(clock.ElapsedMs(), 0);
  channel.Push("\nTI=3\n\r\n");
  engine.DrainIdle();
  EXPECT_EQ(engine.TakeReply(), "");
  EXPECT_EQ(engine.TakeReply(), "TI=3") << "a bare LF keeps the last character";
  EXPECT_EQ(engine.TakeReply(), "");
  EXPECT_FALSE(engine.HasReply());
  channel.Push("EVENT=1\r\nEVENT=2\r\nPART");
  engine.DrainIdle();
  EXPECT_EQ(traffic.lines,
            (std::vector<std::string>{"Rx: ", "Rx: TI=3", "Rx: ", "Rx: EVENT=1", "Rx: EVENT=2"}));
}

TEST_F(EngineTest, OverflowAt1024BytesDiscardsThePartialLine) {
  channel.Push(std::string(1023, 'x'));
  EXPECT_FALSE(engine.ReceiveLine(true, 0));
  EXPECT_TRUE(presenter.messages.empty());
  channel.Push("y");
  EXPECT_FALSE(engine.ReceiveLine(true, 0));
  ASSERT_EQ(presenter.messages.size(), 1u);
  EXPECT_EQ(presenter.messages[0].text, "RS-232C receiving buffer overflowed");
  channel.Push("TI=1\r\n");
  EXPECT_TRUE(engine.ReceiveLine(true, 0));
  EXPECT_EQ(engine.TakeReply(), "TI=1");
}

TEST_F(EngineTest, WaitCompleteJudgesTheOldestQueuedLine) {
  channel.Push("OLD\r\n");
  engine.DrainIdle();
  channel.Push("COMPLETE\r\n");
  EXPECT_NE(engine.WaitComplete(kShortLimit), Outcome::Done);
  EXPECT_EQ(presenter.messages.back().text, "OLD");
}

TEST_F(EngineTest, LinesThatArrivedBeforeTheSettingCannotConfirmIt) {
  // A late COMPLETE of an earlier setting waits in the port; this setting is refused.
  channel.Push("COMPLETE\r\n");
  AnswerWith("Error: value out of range");
  EXPECT_EQ(engine.SetValue(kTI, 99, kShortLimit), Outcome::Refused);
  EXPECT_EQ(presenter.messages.back().text, "Error: value out of range");
  EXPECT_EQ(traffic.lines.front(), "Rx: COMPLETE") << "the stale line is still logged";
}

TEST_F(EngineTest, LateAnswersToEarlierQueriesArePassedOver) {
  // Every answer one behind: the answer to the previous query comes first.
  std::string previous = "MD=QX-70500C-VLNK\r\n";
  channel.SetResponder([&previous](const std::string& line) {
    std::string reply = previous;
    previous = line.substr(0, line.find('?')) + "=1\r\n";
    return reply + previous;
  });
  int32_t value = 0;
  EXPECT_EQ(engine.GetValue(kTI, value, kShortLimit), Outcome::Done);
  EXPECT_EQ(value, 1);
  EXPECT_TRUE(presenter.messages.empty());

  // A setting passes over a late query answer too.
  channel.SetResponder([](const std::string&) { return "TI=1\r\nCOMPLETE\r\n"; });
  EXPECT_EQ(engine.SetValue(kTI, 0, kShortLimit), Outcome::Done);
}

TEST_F(EngineTest, TheLateAnswerOfATimedOutSettingDoesNotConfirmTheNext) {
  EXPECT_EQ(engine.SetValue(kTI, 1, 30), Outcome::NoReply);
  // The late COMPLETE of TI=1 comes first, then this setting's own refusal.
  AnswerWith("COMPLETE\r\nError: value out of range");
  EXPECT_EQ(engine.SetValue(kTI, 99, kShortLimit), Outcome::Refused);

  // A line that was lost for good costs the next exchange only, not every one after it.
  channel.SetResponder({});
  EXPECT_NE(engine.SetValue(kTI, 1, 30), Outcome::Done);
  AnswerWith("COMPLETE");
  EXPECT_NE(engine.SetValue(kTI, 2, 60), Outcome::Done)
      << "its own answer is taken for the lost one";
  EXPECT_EQ(engine.SetValue(kTI, 3, kShortLimit), Outcome::Done);
}

TEST_F(EngineTest, FailedWriteAndLostChannelEndExchangesAtOnce) {
  channel.writeOk = false;
  EXPECT_NE(engine.SetValue(kTI, 1, 2000), Outcome::Done);
  EXPECT_EQ(online.state, State::Offline);
  online.state = State::Online;
  class LostChannel : public ScriptedChannel {
   public:
    bool Lost() const override { return true; }
  } lost;
  lost.clock = &clock;
  engine.SetChannel(lost);
  int32_t value = 0;
  EXPECT_EQ(engine.GetValue(kTI, value, 2000), Outcome::ChannelLost);
  EXPECT_EQ(online.state, State::Offline);
  lost.writeOk = false;
  EXPECT_EQ(engine.SetValue(kTI, 1, 2000), Outcome::ChannelLost);
  EXPECT_EQ(clock.ElapsedMs(), 0) << "a failed write or a lost channel is not waited on";
  EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(EngineTest, FloodWithoutLineEndIsReportedOncePerExchange) {
  channel.SetResponder([](const std::string&) { return std::string(100 * 1024, 'x'); });
  EXPECT_EQ(engine.SetValue(kTI, 1, 200), Outcome::NoReply);
  EXPECT_EQ(presenter.messages.size(), 1u);
  EXPECT_NE(engine.SetValue(kTI, 1, 200), Outcome::Done);
  EXPECT_EQ(presenter.messages.size(), 2u);
}

TEST_F(EngineTest, ControlCharactersOfRepliesAreShownEscaped) {
  AnswerWith("Error: \x1b]0;owned\a\x1b[2J");
  EXPECT_NE(engine.SetValue(kTI, 1, kShortLimit), Outcome::Done);
  EXPECT_EQ(presenter.messages.back().text, "Error: \\x1b]0;owned\\x07\\x1b[2J");
  EXPECT_EQ(traffic.lines.back(), "Rx: Error: \\x1b]0;owned\\x07\\x1b[2J");
  std::string withNul("UD=a");
  withNul += '\0';
  EXPECT_EQ(EscapeControls(withNul + "\xff"), "UD=a\\x00\\xff");
}

TEST(WireTest, ATextCommandsSettingCarriesItsText) {
  CommandValue v;
  v.text = "abc";
  EXPECT_EQ(Command::BuildSetting(kUD, v), "UD=abc\r\n");
}

TEST(WireTest, ParsePairReadsTwoCleanNumbers) {
  int32_t a = 0, b = 0;
  EXPECT_TRUE(Command::ParsePair("PGEN0=12,0x22", a, b));
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, 34);
  EXPECT_FALSE(Command::ParsePair("NOPE=1,2", a, b));
  EXPECT_FALSE(Command::ParsePair("no separator", a, b));
  for (const char* line : {"LUTR=5,1x", "LUTR=5", "LUTR=,5", "LUTR=5,6,7", "LUTR=012,34"})
    EXPECT_EQ(Command::ParsePair(line, a, b), std::string(line) == "LUTR=012,34") << line;
  EXPECT_EQ(a, 12) << "a leading zero is no octal mark";
}

}  // namespace
}  // namespace vistrel
