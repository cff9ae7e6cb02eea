// Every camera command of vistrelctl against every fault the simulated camera can show: the
// exit status says what happened, a failed save writes nothing, and no case goes on sending
// (and waiting) once the camera has failed it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/CliFixture.h"

namespace vistrel {
namespace {

// Short limits: a reply later than kCapMs is no reply; a late reply comes after kLateMs.
// Where the camera must answer no line in time, each wait is cut to kSilentCapMs.
constexpr const char* kCapMs = "200";
constexpr const char* kSilentCapMs = "30";
constexpr const char* kLateMs = "400";
// Enough good lines that a long pass is well under way when the fault starts.
constexpr const char* kGoodLines = "40";
// The most lines a command sends once a fault that leaves each line waiting out kCapMs has
// started: it gives up after a few instead of waiting on every row that is left.
constexpr size_t kMostWaitsAfterFault = 8;

struct Fault {
  const char* name;
  std::vector<std::string> options;
  int status;   // the exit status of a command that meets it
  bool waits;   // each line that meets it waits out the time limit
  bool silent;  // no line that meets it is answered in time
};

// Names the fault in failure reports.
void PrintTo(const Fault& fault, std::ostream* out) {
  *out << fault.name;
}

// What each fault makes of a command: silence and hang-ups are "no reply" (3); garbage and
// the reply to another command are answers that are not the one asked for (1).
const Fault kFaults[] = {
    {"no-reply", {"--no-reply"}, kExitTimeout, true, true},
    {"late", {"--late-ms", kLateMs}, kExitTimeout, true, true},
    {"garbage", {"--garbage"}, kExitRefused, false, false},
    {"other-reply", {"--other-reply"}, kExitRefused, true, false},
    {"no-line-end", {"--no-line-end"}, kExitTimeout, true, true},
    {"hang-up", {"--hang-up"}, kExitTimeout, true, true},
};

class FaultInjectionTest : public CliTest, public ::testing::WithParamInterface<Fault> {
 protected:
  void SetUp() override {
    // A setting file of a healthy camera, for the load cases.
    StartCamera({"--reset-ms", "100"});
    ASSERT_EQ(Run({"--user", "save", PathOf("good.cam")}), kExitOk) << err_.str();
  }

  // Runs `args` on a new camera that meets the fault after `goodLines` lines answered well;
  // checks that the command gives up soon after the fault and returns the status.
  int RunWithFault(std::vector<std::string> args, const char* goodLines) {
    std::vector<std::string> options = GetParam().options;
    options.insert(options.end(), {"--fault-after", goodLines});
    options.insert(options.end(), {"--reset-ms", "100"});
    StartCamera(options);
    const bool noneAnswered = GetParam().silent && std::string(goodLines) == "0";
    args.insert(args.begin(),
                {"--timeout", noneAnswered ? kSilentCapMs : kCapMs, "--log", "--user"});
    const int status = Run(args);
    if (GetParam().waits) {
      const size_t sent = SentLines(err_.str()).size();
      EXPECT_LE(sent, std::stoul(goodLines) + kMostWaitsAfterFault) << Describe(args);
    }
    return status;
  }

  static std::string Describe(const std::vector<std::string>& args) {
    std::string text = GetParam().name;
    for (const std::string& arg : args)
      text += " " + arg;
    return text;
  }
};

TEST_P(FaultInjectionTest, EveryCommandFailsWithTheFaultsStatus) {
  const std::vector<std::vector<std::string>> commands = {
      {"get", "TI"},    {"set", "TI=1"},  {"info"},           {"dump"},
      {"load", "GOOD"}, {"store", "1"},   {"load-area", "1"}, {"--yes", "store-all"},
      {"reset"},        {"diff", "GOOD"}, {"describe", "TI"}, {"params"},
  };
  for (std::vector<std::string> args : commands) {
    for (std::string& arg : args) {
      if (arg == "GOOD")
        arg = PathOf("good.cam");
    }
    EXPECT_EQ(RunWithFault(args, "0"), GetParam().status) << Describe(args) << "\n" << err_.str();
    // A line on stderr says which command failed on which channel.
    const std::string& command = args[0] == "--yes" ? args[1] : args[0];
    EXPECT_TRUE(ErrHas("vistrelctl " + command + ": " + device_ + " 115200: "));
    if (args[0] == "dump" || args[0] == "info" || args[0] == "diff" || args[0] == "params") {
      EXPECT_EQ(out_.str(), "") << Describe(args) << ": nothing read, nothing printed";
    }
  }
}

TEST_P(FaultInjectionTest, CommandsMeetTheFaultAfterTheirFirstLine) {
  // A command of one exchange is done before the fault; the others meet it in their middle.
  // The model check every command starts with is the line before.
  const std::vector<std::pair<std::vector<std::string>, bool>> commands = {
      {{"get", "TI"}, false},
      {{"set", "TI=1"}, false},
      {{"store", "1"}, false},
      {{"info"}, true},
      {{"dump"}, true},
      {{"load-area", "1"}, true},
      {{"get", "TI", "TA"}, true},
      {{"--yes", "store-all"}, true},
      {{"load", PathOf("good.cam")}, true},
  };
  for (const auto& [args, meetsFault] : commands) {
    const int expected = meetsFault ? GetParam().status : kExitOk;
    EXPECT_EQ(RunWithFault(args, "2"), expected) << Describe(args) << "\n" << err_.str();
  }
}

TEST_P(FaultInjectionTest, AFailedSaveWritesNothingAndKeepsTheOldFile) {
  const std::string fresh = PathOf("fresh.cam");
  EXPECT_EQ(RunWithFault({"save", fresh}, "0"), GetParam().status) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(fresh));

  const std::string old = PathOf("good.cam");
  const std::string before = Contents(old);
  EXPECT_EQ(RunWithFault({"save", "--force", old}, kGoodLines), GetParam().status) << err_.str();
  EXPECT_EQ(Contents(old), before);
  for (const auto& entry : std::filesystem::directory_iterator(temp_.Path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".vistrel-"))
        << "temporary file left: " << entry.path();
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultInjectionTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                           std::string name = info.param.name;
                           std::erase(name, '-');
                           return name;
                         });

// After an unanswered exchange a pass asks the camera for its model: a camera that falls
// silent is given up at that probe, one that leaves a single row unanswered is read on.
TEST_F(CliTest, APassProbesAfterSilenceAndEndsOnlyWhenTheCameraIsGone) {
  for (const char* command : {"dump", "save"}) {
    StartCamera({"--no-reply", "--fault-after", kGoodLines});
    const std::string file = PathOf("silent.cam");
    std::vector<std::string> args{"--timeout", kCapMs, "--log", command};
    if (command == std::string("save"))
      args.push_back(file);
    EXPECT_EQ(Run(args), kExitTimeout) << command;
    EXPECT_EQ(out_.str(), "") << command;
    EXPECT_FALSE(std::filesystem::exists(file)) << command;
    const std::vector<std::string> lines = SentLines(err_.str());
    // The model check, 39 rows answered, the first unanswered row and the probe.
    ASSERT_EQ(lines.size(), 42U) << command << "\n" << err_.str();
    EXPECT_EQ(lines.front(), "MD?");
    EXPECT_EQ(lines.back(), "MD?");
  }
  StartCamera({"--no-reply", "--fault-on", "TA"});
  EXPECT_EQ(Run({"--timeout", kCapMs, "--log", "dump"}), kExitTimeout);
  EXPECT_TRUE(ErrHas("Not read: TA."));
  EXPECT_TRUE(ErrHas("camera settings could not be read"));
  const std::vector<std::string> lines = SentLines(err_.str());
  const auto row = std::find(lines.begin(), lines.end(), "TA?");
  ASSERT_NE(row, lines.end());
  ASSERT_LT(row + 2, lines.end());
  EXPECT_EQ(*(row + 1), "MD?");
  EXPECT_GT(lines.end() - row, 100) << "the rows after the silent one are read";
}

}  // namespace
}  // namespace vistrel
