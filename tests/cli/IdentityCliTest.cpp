// The identity and motor lens subcommands of vistrelctl, end to end on vistrel-sim.

#include <gtest/gtest.h>

#include "cli/CliFixture.h"

namespace vistrel {
namespace {

class IdentityCliTest : public CliTest {
 protected:
  // Runs with --log and returns the lines sent ("Tx: " lines of the log) after the model
  // check every camera command starts with.
  std::vector<std::string> Sent(int& status, std::vector<std::string> args) {
    args.insert(args.begin(), "--log");
    status = Run(args);
    std::vector<std::string> lines = SentLines(err_.str());
    if (!lines.empty() && lines.front() == "MD?")
      lines.erase(lines.begin());
    return lines;
  }
  std::string Printed(std::vector<std::string> args) {
    EXPECT_EQ(Run(std::move(args)), kExitOk) << err_.str();
    return out_.str();
  }
};

TEST_F(IdentityCliTest, UserIdPrintsAndWrites) {
  StartCamera();
  int status = -1;
  EXPECT_EQ(Sent(status, {"user-id", "Line 4 camera 16"}),
            std::vector<std::string>{"UD=Line 4 camera 16"});
  EXPECT_EQ(status, kExitOk);
  EXPECT_EQ(Printed({"user-id"}), "Line 4 camera 16\n");

  EXPECT_TRUE(Sent(status, {"user-id", std::string(17, 'a')}).empty());
  EXPECT_EQ(status, kExitUsage);
  EXPECT_NE(err_.str().find("at most 16 characters"), std::string::npos) << err_.str();
  EXPECT_TRUE(Sent(status, {"user-id", "cam\r\nCRS00=1"}).empty());
  EXPECT_EQ(status, kExitUsage);
  EXPECT_NE(err_.str().find("printable ASCII"), std::string::npos);

  EXPECT_EQ(Sent(status, {"user-id", ""}), std::vector<std::string>{"UD="});
  EXPECT_EQ(Printed({"user-id"}), "\n");
}

TEST_F(IdentityCliTest, CameraIdNeedsFactoryModeAndUnlocks) {
  StartCamera();
  int status = -1;
  EXPECT_TRUE(Sent(status, {"camera-id", "ABCDEFGHIJ"}).empty());
  EXPECT_EQ(status, kExitUsage);
  EXPECT_NE(err_.str().find("needs factory control mode; give --factory"), std::string::npos);

  EXPECT_EQ(Sent(status, {"--factory", "camera-id", "ABCDEFGHIJ"}),
            (std::vector<std::string>{"ULCK=6183529", "ID=ABCDEFGHIJ"}));
  EXPECT_EQ(status, kExitOk);
  EXPECT_EQ(out_.str(), "") << "success is silent";
  EXPECT_EQ(Printed({"camera-id"}), "ABCDEFGHIJ\n");

  EXPECT_TRUE(Sent(status, {"--factory", "camera-id", "ABCDEFGHIJK"}).empty());
  EXPECT_EQ(status, kExitUsage);
  EXPECT_TRUE(Sent(status, {"--factory", "camera-id", "AB\tC"}).empty());
  EXPECT_EQ(status, kExitUsage);
}

TEST_F(IdentityCliTest, ModelIdWritesThenChecksTheModel) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  int status = -1;
  EXPECT_TRUE(Sent(status, {"--factory", "model-id", "QX-70500C-VLNK"}).empty());
  EXPECT_EQ(status, kExitUsage);
  EXPECT_TRUE(Sent(status, {"model-id", "RL-8200T-VLNK"}).empty());
  EXPECT_EQ(status, kExitUsage);

  EXPECT_EQ(Sent(status, {"--factory", "model-id", "RL-8200T-VLNK"}),
            (std::vector<std::string>{"MD00=RL-8200T-VLNK", "MD?"}));
  EXPECT_EQ(status, kExitOk);
  EXPECT_EQ(Printed({"get", "MD"}), "MD=RL-8200T-VLNK\n");

  // A camera of another family keeps its model: its own choice has no entry of that name.
  StartCamera({"--model", "QX-70500C-VLNK"});
  EXPECT_TRUE(Sent(status, {"--factory", "model-id", "RL-8200T-VLNK"}).empty());
  EXPECT_EQ(status, kExitUsage);
  EXPECT_NE(err_.str().find("RL-8200T-VLNK is not a model id of this camera's family (it is "
                            "QX-70500C-VLNK); nothing was sent"),
            std::string::npos)
      << err_.str();
  EXPECT_EQ(Printed({"get", "MD"}), "MD=QX-70500C-VLNK\n");
}

TEST_F(IdentityCliTest, DeviceAndXmlVersions) {
  StartCamera();
  int status = -1;
  for (const char* bad : {"1.2.3", "1.2.3.4.5", "1.2..4", "1.2.3.4 "}) {
    EXPECT_TRUE(Sent(status, {"--factory", "device-version", bad}).empty()) << bad;
    EXPECT_EQ(status, kExitUsage) << bad;
  }
  EXPECT_TRUE(Sent(status, {"device-version", "1.2.3.45"}).empty());
  EXPECT_EQ(status, kExitUsage) << "user mode";
  EXPECT_EQ(Sent(status, {"--factory", "device-version", "1.2.3.45"}),
            std::vector<std::string>{"DV=1.2.3.45"});
  EXPECT_EQ(Printed({"device-version"}), "1.2.3.45\n");

  for (const char* bad : {"1.23", "1.2.x", "12.3.4", "1.2.3.4"}) {
    EXPECT_TRUE(Sent(status, {"--factory", "xml-version", bad}).empty()) << bad;
    EXPECT_EQ(status, kExitUsage) << bad;
  }
  EXPECT_EQ(Sent(status, {"--factory", "xml-version", "0.0.7"}),
            std::vector<std::string>{"XMLVR=7"});
  EXPECT_EQ(Printed({"xml-version"}), "0.0.7\n");
  EXPECT_EQ(Printed({"--factory", "xml-version", "1.2.3"}), "");
  EXPECT_EQ(Printed({"xml-version"}), "1.2.3\n");
  EXPECT_NE(Printed({"info"}).find("XML Version: 1.2.3\n"), std::string::npos);
}

TEST_F(IdentityCliTest, LensMovesForTheTimeGivenThenStops) {
  StartCamera();
  int status = -1;
  EXPECT_EQ(Sent(status, {"lens", "zoom", "tele", "--ms", "30"}),
            (std::vector<std::string>{"MLZ=2", "MLZ=0"}));
  EXPECT_EQ(status, kExitOk);
  EXPECT_EQ(Sent(status, {"lens", "iris", "close", "--ms", "1"}),
            (std::vector<std::string>{"MLI=2", "MLI=0"}));
  EXPECT_EQ(Printed({"get", "MLI", "MLZ"}), "MLI=0\nMLZ=0\n");

  for (std::vector<std::string> bad :
       {std::vector<std::string>{"lens", "zoom", "near", "--ms", "30"},
        {"lens", "iris", "far", "--ms", "30"},
        {"lens", "pan", "left", "--ms", "30"},
        {"lens", "focus", "far"},
        {"lens", "focus", "far", "--ms", "0"}}) {
    EXPECT_TRUE(Sent(status, bad).empty());
    EXPECT_EQ(status, kExitUsage) << bad[1] << ' ' << bad[2];
  }
  EXPECT_NE(err_.str().find("Run with --help"), std::string::npos);
}

}  // namespace
}  // namespace vistrel
