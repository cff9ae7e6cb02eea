// vistrelctl ports, and the words of a port that cannot be opened.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli/CliFixture.h"
#include "support/OtherProgram.h"
#include "transport/ComPortNames.h"

namespace vistrel {
namespace {

class PortsTest : public CliTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(temp_ / "ports");
    StartCamera();
    std::filesystem::create_symlink(device_, temp_ / "ports/COM3");
    std::filesystem::create_symlink(temp_ / "unplugged", temp_ / "ports/COM5");
    std::ofstream(temp_ / "settings.ini") << "Com Port No=number:4\n";  // COM5
  }
  int Run(std::vector<std::string> args) { return CliTest::Run(std::move(args), false); }
};

TEST_F(PortsTest, ListsThePortsThatExistAndTheChoiceWithoutOpeningAny) {
  EXPECT_EQ(Run({"ports"}), kExitOk) << err_.str();
  EXPECT_EQ(err_.str(), "") << "the stored port, unplugged, is not opened";
  EXPECT_TRUE(OutHas("KIND\tINDEX\tNAME\tDEVICE\tSTATE\tBY-ID\tADAPTER\tCHOSEN\n"));
  EXPECT_TRUE(OutHas("com\t2\tCOM3\t" + device_ + "\tpresent\t-\t-\t\n"));
  EXPECT_TRUE(OutHas("com\t4\tCOM5\t" + temp_ / "unplugged" + "\tabsent\t-\t-\t*\n"));
  EXPECT_FALSE(OutHas("COM2\t")) << "a COM name without a device is left out";

  ASSERT_EQ(Run({"ports", "--all"}), kExitOk);
  EXPECT_TRUE(OutHas("com\t1\tCOM2\t"));
  EXPECT_GE(std::ranges::count(out_.str(), '\n'), 1 + kComPortCount);

  ASSERT_EQ(Run({"ports", "--json"}), kExitOk);
  EXPECT_TRUE(OutHas("{\"kind\":\"com\",\"index\":2,\"name\":\"COM3\",\"device\":\"" + device_ +
                     "\",\"exists\":true,\"byId\":null,\"adapter\":null,\"chosen\":false}"));
  EXPECT_TRUE(OutHas("\"name\":\"COM5\",\"device\":\"" + temp_ / "unplugged" +
                     "\",\"exists\":false,\"byId\":null,\"adapter\":null,\"chosen\":true}"));
}

TEST_F(PortsTest, AnOpenFailureExitsFourWithTheWordsOfItsReason) {
  EXPECT_EQ(Run({"get", "TI"}), kExitNoChannel);
  EXPECT_TRUE(
      ErrHas("Failed to initialize COM5 port!\nError in CreateFile()\nThere is "
             "no such device: " +
             temp_ / "unplugged"));

  // A Camera Link port without its library names the file looked for and where.
  test::ScopedEnv path{"CLSERIALPATH", temp_.Path()};
  EXPECT_EQ(Run({"--cl2000", "0", "get", "TI"}), kExitNoChannel);
  EXPECT_TRUE(ErrHas("no file clser*.so or libclser*.so in CLSERIALPATH (" + temp_.Path() + ")"));
  EXPECT_TRUE(ErrHas("LD_LIBRARY_PATH"));
}

// A terminal program that keeps the port open without a lock would take the camera's replies:
// the port is refused before anything is sent, naming it, unless --shared-port says it is meant
// to share the port; the report of a silent camera then names it.
TEST_F(PortsTest, AProgramHoldingThePortIsNamedBeforeAnythingIsSent) {
  StartCamera({"--no-reply"});
  test::OtherProgram terminal("termprog", device_);
  const std::string pid = std::to_string(terminal.Pid());
  EXPECT_EQ(CliTest::Run({"--log", "get", "TI", "--json"}), kExitNoChannel);
  EXPECT_EQ(SentLines(err_.str()), std::vector<std::string>{});
  EXPECT_TRUE(ErrHas("get: " + device_ + " 115200: " + device_ + " is in use by termprog (pid " +
                     pid + "), which has it open; close that program"));
  EXPECT_TRUE(OutHas("\"message\":\"" + device_ + " is in use by termprog (pid " + pid));
  EXPECT_TRUE(OutHas("\"holder\":{\"program\":\"termprog\",\"pid\":" + pid + "}"));

  EXPECT_EQ(CliTest::Run({"--shared-port", "dump"}), kExitTimeout);
  EXPECT_NE(err_.str().find("vistrelctl dump: " + device_ +
                            " 115200: the camera does not answer; " + device_ +
                            " is open in termprog (pid " + std::to_string(terminal.Pid()) + ")"),
            std::string::npos)
      << err_.str();
}

}  // namespace
}  // namespace vistrel
