// The identity and motor lens subcommands of vistrelctl, end to end on vistrel-sim.

#include <gtest/gtest.h>

#include "cli/CliFixture.h"

namespace vistrel {
namespace {

using IdentityCliTest = CliTest;

// Each write sends its lines, says nothing on success, and the camera holds what was written.
TEST_F(IdentityCliTest, WritesSendTheirLinesAndReadBack) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> sent;
    std::vector<std::string> readBack;
    const char* printed;
  };
  const Case cases[] = {
      {{"user-id", "Line 4 camera 16"}, {"UD=Line 4 camera 16"}, {"user-id"}, "Line 4 camera 16\n"},
      {{"user-id", ""}, {"UD="}, {"user-id"}, "\n"},
      {{"--factory", "camera-id", "ABCDEFGHIJ"},
       {"ULCK=6183529", "ID=ABCDEFGHIJ"},
       {"camera-id"},
       "ABCDEFGHIJ\n"},
      {{"--factory", "device-version", "1.2.3.45"},
       {"DV=1.2.3.45"},
       {"device-version"},
       "1.2.3.45\n"},
      {{"--factory", "xml-version", "0.0.7"}, {"XMLVR=7"}, {"xml-version"}, "0.0.7\n"},
      {{"--factory", "xml-version", "1.2.3"}, {"XMLVR=123"}, {"xml-version"}, "1.2.3\n"},
      // The lens moves for the time given, then stops.
      {{"lens", "zoom", "tele", "--ms", "30"}, {"MLZ=2", "MLZ=0"}, {"get", "MLZ"}, "MLZ=0\n"},
      {{"lens", "iris", "close", "--ms", "30"}, {"MLI=2", "MLI=0"}, {"get", "MLI"}, "MLI=0\n"},
      // A model id of the camera's family is written, then the model checked again.
      {{"--factory", "model-id", "RL-8200T-VLNK"},
       {"MD00=RL-8200T-VLNK", "MD?"},
       {"get", "MD"},
       "MD=RL-8200T-VLNK\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[c.args.size() > 2 ? 2 : 1]);
    int status = -1;
    EXPECT_EQ(Sent(status, c.args), c.sent);
    EXPECT_EQ(status, kExitOk) << err_.str();
    EXPECT_EQ(out_.str(), "") << "success is silent";
    EXPECT_EQ(Printed(c.readBack), c.printed);
  }
  EXPECT_NE(Printed({"info"}).find("XML Version: 1.2.3\n"), std::string::npos);
}

// What is no identity, or needs factory mode without it, is refused before anything is sent.
TEST_F(IdentityCliTest, BadArgumentsAreRefusedWithNothingSent) {
  StartCamera();  // a QX-70500C-VLNK
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"user-id", std::string(17, 'a')}, "at most 16 characters"},
      {{"user-id", "cam\r\nCRS00=1"}, "printable ASCII"},
      {{"camera-id", "ABCDEFGHIJ"}, "needs factory control mode; give --factory"},
      {{"--factory", "camera-id", "ABCDEFGHIJK"}, ""},
      {{"--factory", "camera-id", "AB\tC"}, ""},
      {{"model-id", "RL-8200T-VLNK"}, "needs factory control mode"},
      // A camera of another family keeps its model: its own choice has no entry of that name.
      {{"--factory", "model-id", "RL-8200T-VLNK"},
       "RL-8200T-VLNK is not a model id of this camera's family (it is QX-70500C-VLNK); nothing "
       "was sent"},
      {{"device-version", "1.2.3.45"}, "needs factory control mode"},
      {{"--factory", "device-version", "1.2.3"}, ""},
      {{"--factory", "device-version", "1.2.3.4.5"}, ""},
      {{"--factory", "device-version", "1.2..4"}, ""},
      {{"--factory", "device-version", "1.2.3.4 "}, ""},
      {{"--factory", "xml-version", "1.23"}, ""},
      {{"--factory", "xml-version", "1.2.x"}, ""},
      {{"--factory", "xml-version", "1.2.3.4"}, ""},
      {{"lens", "zoom", "near", "--ms", "30"}, "Run with --help"},
      {{"lens", "iris", "far", "--ms", "30"}, ""},
      {{"lens", "pan", "left", "--ms", "30"}, ""},
      {{"lens", "focus", "far"}, ""},
      {{"lens", "focus", "far", "--ms", "0"}, ""},
  };
  for (const auto& [args, says] : cases) {
    SCOPED_TRACE(args[args.size() > 2 ? 2 : 1]);
    int status = -1;
    EXPECT_TRUE(Sent(status, args).empty());
    EXPECT_EQ(status, kExitUsage);
    EXPECT_TRUE(ErrHas(says));
  }
}

}  // namespace
}  // namespace vistrel
