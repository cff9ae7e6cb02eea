// vistrelctl as an integrator's script drives it: every name of a call reported, every control
// of a model in one call, files from standard input, a load checked without sending it.

#include <gtest/gtest.h>

#include <iostream>
#include <regex>
#include <set>
#include <sstream>

#include "camera/CameraModel.h"
#include "camera/models/ModelCatalogue.h"
#include "cli/CliFixture.h"
#include "cli/ModelRanges.h"
#include "core/CommandTable.h"
#include "core/ParameterTable.h"

namespace vistrel {
namespace {

class IntegratorTest : public CliTest {
 protected:
  int RunWithInput(const std::string& input, std::vector<std::string> args) {
    std::istringstream in(input);
    std::streambuf* const kept = std::cin.rdbuf(in.rdbuf());
    const int status = Run(std::move(args));
    std::cin.rdbuf(kept);
    std::cin.clear();
    return status;
  }
};

TEST_F(IntegratorTest, GetAndDescribeReportEveryNamePastARefusal) {
  StartCamera({"--model", "QX-70500M-VLNK"});
  EXPECT_EQ(Run({"get", "TI", "SQPGR1", "FGA"}), kExitRefused);
  EXPECT_TRUE(out_.str().starts_with("TI=0\nFGA=")) << "the names after the refused one are read";
  EXPECT_TRUE(ErrHas("the camera refused SQPGR1 (the others were read)"));
  EXPECT_EQ(Run({"get", "--json", "TI", "SQPGR1"}), kExitRefused);
  EXPECT_TRUE(out_.str().ends_with("\"status\":1},\"values\":{\"TI\":0,\"SQPGR1\":null}}\n"))
      << out_.str();

  EXPECT_EQ(Run({"describe", "SQPGR1", "TI"}), kExitRefused);
  EXPECT_TRUE(OutHas("value refused by the camera\nTI control 1349: choice"));
  EXPECT_EQ(Run({"describe", "TI", "--all"}), kExitUsage) << "names or --all, not both";

  // A camera that stops answering is not asked for the names after it.
  StartCamera({"--model", "QX-70500M-VLNK", "--no-reply", "--fault-on", "UD"});
  EXPECT_EQ(Run({"--log", "--timeout", "200", "get", "UD", "TI"}), kExitTimeout);
  EXPECT_FALSE(ErrHas("Tx: TI?"));
  EXPECT_TRUE(ErrHas("not read: UD TI"));
}

// Each model's controls once each, with their values from one read-all pass; a control the
// camera refuses is marked and the pass goes on.
TEST_F(IntegratorTest, DescribeAllListsEveryControlOfTheModelOnce) {
  const std::regex row("^([A-Z0-9]+) control ([0-9]+): .* value (.*)$");
  for (const std::string& model : KnownModelNames()) {
    StartCamera({"--model", model});
    ASSERT_EQ(Run({"--quiet", "describe", "--all"}), kExitOk) << model << err_.str();
    std::set<int> listed;
    std::istringstream lines(out_.str());
    for (std::string line; std::getline(lines, line);) {
      std::smatch m;
      ASSERT_TRUE(std::regex_match(line, m, row)) << line;
      EXPECT_TRUE(listed.insert(std::stoi(m[2])).second) << "listed twice: " << line;
      EXPECT_NE(m[3], "refused by the camera") << line;
    }
    std::set<int> expected;
    for (const ParameterEntry& entry : InitialParameterRows()) {
      if (ModelSupportsControl(ModelCodeFor(model), entry.ctrlId) &&
          !CommandTable::Name(entry.commandId).empty())
        expected.insert(entry.ctrlId);
    }
    EXPECT_EQ(listed, expected) << model;
  }
  StartCamera({"--model", "QX-70500C-VLNK", "--garbage", "--fault-on", "FGA"});
  EXPECT_EQ(Run({"--quiet", "describe", "--all", "--json"}), kExitRefused) << err_.str();
  EXPECT_TRUE(std::regex_search(
      out_.str(), std::regex("\"name\":\"FGA\",[^}]*\"value\":null,\"outOfRange\":false,"
                             "\"refused\":true\\}")))
      << out_.str();
  EXPECT_TRUE(OutHas("\"name\":\"TI\",")) << "the pass went on";
}

// Each kind of control described as an integrator reads it, on two model families: a number
// with its range, fixed step and unit, a choice with its entries and no range, a gain with
// its scale and no unit, read-only controls with and without a row; and a setting of a
// read-only control is refused before it is sent.
TEST_F(IntegratorTest, ControlsAreDescribedByKindAndReadOnlyOnesAreNeverSet) {
  const std::string number = R"("caption":"Offset X","default":0,"readOnly":false,"min":0,)"
                             R"("max":[0-9]+,"step":16,"unit":"pixels","scale":1,"value":)";
  const std::string choice = R"("caption":"Trigger Source","default":0,"readOnly":false,)"
                             R"("entries":\[\{"text":"Low","value":0\})";
  const std::string gain = R"("name":"FGA",.*"max":[0-9]+,"scale":0\.01,"value")";
  const std::string readOnly = R"(\{"name":"TMP0","ctrl":null,"readOnly":true,"value":[0-9]+,)";
  for (const char* model : {"QX-70500C-VLNK", "RL-4100T-VLNK"}) {
    SCOPED_TRACE(model);
    StartCamera({"--model", model});
    ASSERT_EQ(Run({"describe", "OFC", "TI", "FGA", "TMP0", "--json"}), kExitOk) << err_.str();
    for (const std::string& wanted : {number, choice, gain, readOnly})
      EXPECT_TRUE(std::regex_search(out_.str(), std::regex(wanted))) << wanted << out_.str();
    ASSERT_EQ(Run({"describe", "ALCST"}), kExitOk) << err_.str();
    EXPECT_TRUE(OutHas("ALCST control 1869: action, class factory, caption \"Read\", read-only ("));
    ASSERT_EQ(Run({"params", "--json"}), kExitOk);
    EXPECT_TRUE(OutHas(R"("command":"OFC",)")) << out_.str();
    EXPECT_TRUE(std::regex_search(
        out_.str(), std::regex(R"("command":"OFC",[^}]*"inFile":true,"caption":"Offset X",)"
                               R"("default":0,"readOnly":false\})")));
    EXPECT_EQ(Run({"--log", "set", "FGA=200", "TMP0=1"}), kExitUsage);
    EXPECT_TRUE(ErrHas("TMP0 is read-only"));
    for (const std::string& line : SentLines(err_.str()))
      EXPECT_EQ(line.find('='), std::string::npos) << "a setting was sent: " << line;
  }
}

// What the program saves is what its own diff takes: no line skipped, nothing different.
TEST_F(IntegratorTest, SaveThenDiffIsCleanOnEveryModel) {
  for (const std::string& model : KnownModelNames()) {
    StartCamera({"--model", model});
    for (const char* mode : {"--user", "--factory"}) {
      const std::string file = PathOf("saved.cam");
      ASSERT_EQ(Run({mode, "save", "--force", file}), kExitOk) << model << err_.str();
      EXPECT_EQ(Run({mode, "diff", file}), kExitOk) << model << mode;
      EXPECT_EQ(out_.str() + err_.str(), "") << model << mode;
    }
  }
}

TEST_F(IntegratorTest, LoadAndDiffTakeAFileFromStandardInput) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  EXPECT_EQ(RunWithInput("TI=1\r\nFGA=300\n", {"--user", "load", "-"}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "-:1: sent TI=1\n-:2: sent FGA=300\n");
  EXPECT_EQ(RunWithInput("FGA=300\n", {"--user", "diff", "-"}), kExitOk) << out_.str();
  EXPECT_EQ(RunWithInput("FGA=301\n", {"--user", "diff", "-"}), kExitRefused);
  EXPECT_EQ(out_.str(), "-:1: FGA file=301 camera=300\n");
  EXPECT_EQ(RunWithInput("", {"--user", "diff", "--json", "-"}), kExitUsage);
  EXPECT_EQ(RunWithInput(std::string(300 * 1024, '\n'), {"--user", "load", "-"}), kExitUsage);
  EXPECT_TRUE(ErrHas("standard input holds more than a setting file"));
}

// A dry run checks every value against the model (a binning mode set earlier in the file
// counts for the ranges after it) and sends nothing but the model check and range queries.
TEST_F(IntegratorTest, DryRunChecksEveryValueAndSendsNoSetting) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  const std::string file =
      Write("dry.cam", "TI=1\nWTC=1457\nHB=2\nWTC=1000\nFGA=300\nTX=5\nSMRW5=1\n");
  EXPECT_EQ(Run({"--log", "--user", "--quiet", "load", "--dry-run", file}), kExitUsage);
  const std::vector<std::string> sent = SentLines(err_.str());
  EXPECT_LE(sent.size(), 1 + RangeModes().size());
  for (const std::string& line : sent)
    EXPECT_EQ(line.find('='), std::string::npos) << "a setting was sent: " << line;
  EXPECT_EQ(out_.str(), file + ":1: would send TI=1\n" + file + ":3: would send HB=2\n" + file +
                            ":5: would send FGA=300\n");
  EXPECT_TRUE(ErrHas(file + ":2: WTC=1457 is outside the range"));
  EXPECT_TRUE(ErrHas(file + ":4: WTC=1000 is outside the range 48..728"));
  EXPECT_TRUE(ErrHas(file + ":6: skipped (unknown command): TX=5"));
  EXPECT_TRUE(ErrHas("2 value(s) of " + file + " are not allowed"));

  EXPECT_EQ(Printed({"--user", "load", "--dry-run", "--json", Write("ok.cam", "FGA=300\n")}),
            "{\"ok\":true,\"file\":\"" + PathOf("ok.cam") +
                "\",\"dryRun\":true,\"lines\":[{\"line\":1,\"text\":\"FGA=300\","
                "\"result\":\"would-send\"}],\"skipped\":[]}\n");
}

}  // namespace
}  // namespace vistrel
