// vistrelctl's one-shot adjustments and indexed tables end to end on vistrel-sim: what is
// printed, the exit statuses, and bad input refused before anything is sent.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include "cli/CliFixture.h"

namespace vistrel {
namespace {

constexpr const char* kPollMs = "50";

class AdjustEntryCliTest : public CliTest {
 protected:
  int Adjust(const std::string& what) { return Run({"adjust", what, "--interval-ms", kPollMs}); }
  // Whether the last run, logged, put a setting (a line with "=") on the wire.
  bool SettingSent() const {
    return std::ranges::any_of(SentLines(err_.str()), [](const std::string& line) {
      return line.find('=') != std::string::npos;
    });
  }
};

TEST_F(AdjustEntryCliTest, AdjustPrintsTheResultAndTheValuesItMoved) {
  StartCamera({"--adjust-ms", "150"});
  EXPECT_EQ(Adjust("exposure"), kExitOk) << err_.str();
  const std::string exposure = out_.str();
  ASSERT_EQ(Run({"get", "PE"}), kExitOk);
  EXPECT_EQ(exposure, "Convergent\n" + out_.str());
  EXPECT_EQ(Run({"adjust", "gain", "--interval-ms", kPollMs, "--json"}), kExitOk) << err_.str();
  const std::string gain = out_.str();
  ASSERT_EQ(Run({"get", "FGA"}), kExitOk);
  EXPECT_EQ(gain, "{\"ok\":true,\"result\":\"Convergent\",\"status\":8,\"values\":{\"FGA\":" +
                      out_.str().substr(4, out_.str().size() - 5) + "}}\n");
  EXPECT_EQ(Adjust("white"), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "Complete\nPGR=148\nPGB=121\n");
  EXPECT_EQ(Printed({"adjust", "shading"}), "Complete\n");
  // A triggered camera cannot adjust its exposure: a result, but not a good one.
  ASSERT_EQ(Run({"set", "TM=1"}), kExitOk) << err_.str();
  EXPECT_EQ(Adjust("exposure"), kExitRefused);
  EXPECT_EQ(out_.str().substr(0, 16), "Condition Error\n");
}

TEST_F(AdjustEntryCliTest, AdjustEndsWithTheTimeoutStatusWhenTheCameraFallsSilentOrNeverEnds) {
  // A status query left unanswered while the channel works: the run is set back to off.
  StartCamera({"--no-reply", "--fault-on", "AWRS"});
  EXPECT_EQ(Run({"--timeout", "100", "--log", "adjust", "white", "--interval-ms", kPollMs}),
            kExitTimeout);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(SentLines(err_.str()),
            (std::vector<std::string>{"MD?", "AWB=2", "AWRS?", "AWRS?", "AWRS?", "AWB=0"}));
  EXPECT_TRUE(ErrHas("set back to Off"));

  // A status with a letter in it (AWRS=0O) is no status, never "Complete".
  StartCamera({"--letter-in-value", "--fault-on", "AWRS"});
  EXPECT_NE(Adjust("white"), kExitOk);
  EXPECT_EQ(out_.str(), "");

  StartCamera({"--adjust-ms", "60000"});
  EXPECT_EQ(Run({"adjust", "exposure", "--interval-ms", "200", "--limit-s", "1"}), kExitTimeout);
}

// A signal during a run that moves something: the stop goes out before the program ends,
// and the camera holds it.
TEST_F(AdjustEntryCliTest, ASignalStopsTheAdjustmentOrTheLensBeforeTheExit) {
  struct Case {
    std::vector<std::string> args;
    const char* start;  // the line that sets it moving
    const char* stop;   // the line that stops it
    int signal;
    const char* query;
  };
  const Case cases[] = {
      {{"adjust", "exposure"}, "ASC=2", "ASC=0", SIGTERM, "ASC"},
      {{"adjust", "gain"}, "AGC=2", "AGC=0", SIGHUP, "AGC"},
      {{"adjust", "white"}, "AWB=2", "AWB=0", SIGINT, "AWB"},
      {{"lens", "zoom", "tele", "--ms", "30000"}, "MLZ=2", "MLZ=0", SIGINT, "MLZ"},
      {{"lens", "focus", "far", "--ms", "30000"}, "MLF=2", "MLF=0", SIGTERM, "MLF"},
  };
  StartCamera({"--adjust-ms", "60000"});
  for (const Case& c : cases) {
    std::vector<std::string> args{"--device", device_, "--baud", "115200", "--log"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    test::SimProgram ctl(args, VISTRELCTL_PROGRAM);
    std::string trace = ctl.ErrorsThrough(std::string("Tx: ") + c.start);
    ASSERT_NE(trace.find(c.start), std::string::npos) << trace;
    const int status = ctl.Finish(c.signal);
    trace += ctl.Errors();
    EXPECT_EQ(status, 128 + c.signal) << trace;
    const std::vector<std::string> sent = SentLines(trace);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), c.stop) << trace;
    EXPECT_NE(trace.find("received"), std::string::npos) << trace;
    ASSERT_EQ(Run({"get", c.query}), kExitOk) << err_.str();
    EXPECT_EQ(out_.str(), std::string(c.query) + "=0\n");
  }
}

TEST_F(AdjustEntryCliTest, ALensStartWithoutAnAnswerIsStoppedWhenTheMoveEnds) {
  StartCamera({"--no-reply", "--fault-on", "MLZ"});
  // The model check's answer has room on a busy machine; the unconfirmed stop waits this out.
  EXPECT_EQ(Run({"--log", "--timeout", "500", "lens", "zoom", "tele", "--ms", "100"}),
            kExitTimeout);
  EXPECT_EQ(SentLines(err_.str()), (std::vector<std::string>{"MD?", "MLZ=2", "MLZ=0"}));
  EXPECT_TRUE(ErrHas("did not confirm the lens start"));
}

TEST_F(AdjustEntryCliTest, SequencerWritesTheGivenFieldsAndPrintsTheEntry) {
  StartCamera();
  ASSERT_EQ(Run({"sequencer", "3"}), kExitOk) << err_.str();
  const std::string before = out_.str();
  EXPECT_EQ(before.find("SQPER"), std::string::npos);  // not a field of the QX models
  ASSERT_EQ(Run({"sequencer", "3", "SQW=1024", "sqh=768"}), kExitOk) << err_.str();
  const std::string after = out_.str();
  EXPECT_NE(after.find("SQW=1024\nSQH=768\n"), std::string::npos) << after;
  // The fields not given keep their values.
  EXPECT_EQ(after.substr(0, after.find("SQW")), before.substr(0, before.find("SQW")));
  EXPECT_EQ(after.substr(after.find("SQOX")), before.substr(before.find("SQOX")));
  // A binning with the region that fits it.
  ASSERT_EQ(Run({"sequencer", "3", "SQHB=2", "SQW=2040", "SQOX=8"}), kExitOk) << err_.str();
  EXPECT_TRUE(OutHas("SQHB=2\nSQVB=1\nSQW=2040\nSQH=768\nSQOX=8\n"));
}

TEST_F(AdjustEntryCliTest, SequencerRulesRefuseTheEntryWithNothingWritten) {
  StartCamera();  // entry 3 holds the whole sensor, 4112 x 3008, at binning 1
  struct Case {
    std::vector<std::string> fields;
    const char* rule;
  };
  const Case cases[] = {
      {{"SQW=4112", "SQOX=4000"}, "goes beyond 4112 columns"},
      {{"SQW=1000"}, "SQW=1000 is not a multiple of 16"},
      {{"SQHB=2"}, "SQW=4112 with SQOX=0 goes beyond 2056 columns"},
      {{"SQHB=2", "SQW=2048", "SQOX=4"}, "SQOX=4 is not a multiple of 8"},
      {{"SQH=767"}, "SQH=767 is not even"},
      {{"SQVB=2", "SQH=1496", "SQOY=8", "SQPE=2"}, "SQPE=2 is below 3"},
      {{"SQPER=5000"}, "SQPER is not a field of the sequencer entries of QX-70500C-VLNK"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"--log", "sequencer", "3"};
    args.insert(args.end(), c.fields.begin(), c.fields.end());
    EXPECT_EQ(Run(args), kExitUsage) << c.rule;
    EXPECT_TRUE(ErrHas(c.rule));
    EXPECT_FALSE(SettingSent()) << err_.str();
  }
  // The RL models have the per-colour fields and the individual gain mode.
  StartCamera({"--model", "RL-4100T-VLNK"});
  ASSERT_EQ(Run({"set", "IGM=1"}), kExitOk) << err_.str();
  EXPECT_EQ(Run({"--log", "sequencer", "3", "SQGA=200"}), kExitUsage);
  EXPECT_TRUE(ErrHas("fixed at 100 while the individual gain mode is on"));
  EXPECT_FALSE(SettingSent());
  ASSERT_EQ(Run({"sequencer", "3", "SQGG=300", "SQPER=5000"}), kExitOk) << err_.str();
  EXPECT_TRUE(OutHas("SQPER=5000\n"));
}

TEST_F(AdjustEntryCliTest, EntriesClearsAndCounts) {
  StartCamera();
  EXPECT_EQ(Run({"entry", "BMPXWG", "5", "100"}), kExitOk) << err_.str();
  EXPECT_EQ(Printed({"entry", "BMPXWG", "5"}), "100\n");
  EXPECT_EQ(Run({"entry", "LUTR", "12", "777"}), kExitOk);
  EXPECT_EQ(Printed({"entry", "lutr", "12"}), "777\n");
  EXPECT_EQ(Run({"blemish-clear", "green", "5"}), kExitOk) << err_.str();
  EXPECT_EQ(Printed({"entry", "BMPXWG", "5"}), "-1\n");
  EXPECT_EQ(Run({"counts"}), kExitOk) << err_.str();
  EXPECT_TRUE(OutHas("BNUMG="));
  EXPECT_TRUE(OutHas("SQIDX=1\n"));
}

TEST_F(AdjustEntryCliTest, BadInputIsAUsageErrorWithNothingSent) {
  StartCamera();
  const std::vector<std::vector<std::string>> cases = {
      {"sequencer", "0"},
      {"sequencer", "129", "SQW=1024"},
      {"sequencer", "3", "SQX=5"},
      {"sequencer", "3", "SQW=99999"},
      {"sequencer", "3", "SQW"},
      {"sequencer", "3", "=1024"},
      {"sequencer", "3", "SQW=1024=2"},
      {"entry", "LUTR", "257", "5"},
      {"entry", "BMPXWG", "5", "ten"},
      {"entry", "NOPE", "1"},
      {"blemish-clear", "purple", "1"},
      {"blemish-clear", "blue", "201"},
      {"adjust", "focus"},
  };
  for (const auto& args : cases) {
    int status = -1;
    // Nothing but the model check every camera command starts with.
    EXPECT_EQ(Sent(status, args), std::vector<std::string>{}) << args[0] << " " << args[1];
    EXPECT_EQ(status, kExitUsage) << args[0] << " " << args[1];
  }
}

TEST_F(AdjustEntryCliTest, ARefusedOrSilentTableLineGivesItsStatus) {
  // The entry's query of SQH3 goes out before the tenth line, its setting after it.
  StartCamera({"--garbage", "--fault-on", "SQH3", "--fault-after", "10"});
  EXPECT_EQ(Run({"sequencer", "3", "SQW=1024"}), kExitRefused);
  EXPECT_TRUE(ErrHas("did not take SQH3=3008\n"));
  StartCamera({"--no-reply", "--fault-on", "SQPE3"});
  EXPECT_EQ(Run({"--timeout", "100", "sequencer", "3", "SQW=1024"}), kExitTimeout);
  StartCamera({"--garbage", "--fault-on", "BMCLRB"});
  EXPECT_EQ(Run({"blemish-clear", "blue", "1"}), kExitRefused);
}

}  // namespace
}  // namespace vistrel
