// vistrelctl as a production line's script uses it: a silent camera ends fast, bad
// arguments are usage errors, statuses follow what happened, files are checked line by line.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliFixture.h"
#include "cli/CliSession.h"
#include "transport/StoredSettings.h"

namespace vistrel {
namespace {

class ProductionLineTest : public CliTest {
 protected:
  bool ErrHas(const std::string& text) const { return err_.str().find(text) != std::string::npos; }
  bool OutHas(const std::string& text) const { return out_.str().find(text) != std::string::npos; }
  std::string Write(const std::string& name, const std::string& contents) {
    std::ofstream(PathOf(name), std::ios::binary) << contents;
    return PathOf(name);
  }
};

TEST_F(ProductionLineTest, ASilentCameraEndsAfterTheModelCheck) {
  StartCamera({"--no-reply"});
  const std::string file = Write("any.cam", "TI=1\n");
  for (std::vector<std::string> args : {std::vector<std::string>{"dump"},
                                        {"save", PathOf("new.cam")},
                                        {"info"},
                                        {"load", file},
                                        {"diff", file},
                                        {"describe", "TI"}}) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(args), kExitTimeout) << args[0];
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << args[0];
    EXPECT_TRUE(ErrHas("the camera does not answer")) << args[0] << ": " << err_.str();
    EXPECT_EQ(out_.str(), "") << args[0];
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("new.cam")));
}

TEST_F(ProductionLineTest, ArgumentsAScriptGetsWrongAreUsageErrors) {
  for (const char* option : {"--device", "--port", "--cl2000", "--cl2001", "--clver11", "--baud"}) {
    EXPECT_EQ(Run({option, "", "get", "TI"}, false), kExitUsage) << option;
    EXPECT_TRUE(ErrHas("an empty value")) << option << ": " << err_.str();
  }
  EXPECT_EQ(Run({"frobnicate"}, false), kExitUsage);
  EXPECT_TRUE(ErrHas("unknown subcommand: frobnicate")) << err_.str();
  EXPECT_EQ(Run({"gte", "TI"}, false), kExitUsage);
  EXPECT_TRUE(ErrHas("unknown subcommand: gte")) << err_.str();
  EXPECT_EQ(Run({"--frob"}, false), kExitUsage);
  EXPECT_TRUE(ErrHas("unknown option: --frob")) << err_.str();
  EXPECT_EQ(Run({}, false), kExitUsage);
  EXPECT_TRUE(ErrHas("a subcommand is required")) << err_.str();

  EXPECT_EQ(Run({"--baud", "abc", "get", "TI"}, false), kExitUsage);
  EXPECT_TRUE(ErrHas("not a baud rate: abc")) << err_.str();
  EXPECT_LT(err_.str().size(), 120u) << "no 309-digit range";
  EXPECT_EQ(Run({"save", PathOf("missing/x.cam")}, false), kExitUsage);
  EXPECT_TRUE(ErrHas("does not exist")) << err_.str();
  EXPECT_FALSE(ErrHas("could not open")) << "checked before the channel is opened";
}

TEST_F(ProductionLineTest, RunOptionsAfterTheSubcommandLeaveItsArgumentsAlone) {
  EXPECT_EQ(Run({"get", "--simulate", "TI"}, false), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "TI=0\n");
  EXPECT_EQ(Run({"get", "MD", "--simulate=RL-4100T-VLNK"}, false), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "MD=RL-4100T-VLNK\n");
}

TEST_F(ProductionLineTest, TextsAndRefusalsAsTheCameraSentThem) {
  StartCamera({"--model", "QX-70500M-VLNK"});
  EXPECT_EQ(Run({"set", "UD=line4 cam"}), kExitOk);
  EXPECT_EQ(Run({"get", "UD"}), kExitOk);
  EXPECT_EQ(out_.str(), "UD=line4 cam\n");
  EXPECT_EQ(Run({"get", "--json", "UD", "TI"}), kExitOk);
  EXPECT_EQ(out_.str(), "{\"UD\":\"line4 cam\",\"TI\":0}\n");
  EXPECT_EQ(Run({"info"}), kExitOk);
  EXPECT_TRUE(OutHas("User ID: line4 cam\n")) << out_.str();
  EXPECT_EQ(Run({"info", "--json"}), kExitOk);
  EXPECT_TRUE(OutHas("\"model\":\"QX-70500M-VLNK\"")) << out_.str();
  EXPECT_TRUE(OutHas("\"userId\":\"line4 cam\"")) << out_.str();

  EXPECT_EQ(Run({"get", "SQPGR1"}), kExitRefused);
  EXPECT_TRUE(ErrHas("Error: not supported by model for SQPGR1?")) << err_.str();
}

TEST_F(ProductionLineTest, NumbersInTheCamerasFormsAndWithinThirtyTwoBits) {
  StartCamera();
  EXPECT_EQ(Run({"set", "FGA=&H100"}), kExitOk) << err_.str();
  EXPECT_EQ(Run({"get", "FGA"}), kExitOk);
  EXPECT_EQ(out_.str(), "FGA=256\n");
  EXPECT_EQ(Run({"set", "FGA=0x101"}), kExitOk) << err_.str();
  EXPECT_EQ(Run({"get", "FGA"}), kExitOk);
  EXPECT_EQ(out_.str(), "FGA=257\n");
  for (const char* value : {"99999999999", "2147483648", "&H100000000", "0x", "1e3", "--1"}) {
    EXPECT_EQ(Run({"set", std::string("FGA=") + value}), kExitUsage) << value;
    EXPECT_TRUE(ErrHas("not a 32-bit number")) << value;
  }
  EXPECT_EQ(Run({"get", "FGA"}), kExitOk);
  EXPECT_EQ(out_.str(), "FGA=257\n") << "nothing was sent";
}

TEST_F(ProductionLineTest, LoadSaysWhichLinesItSkippedAndStrictFails) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  const std::string file =
      Write("mixed.cam", "TX=5\ngarbage line\nTI=1\n\x01\x02\xff\nFCBDRT=1\n\nTI?\n");
  EXPECT_EQ(Run({"--user", "load", file}), kExitOk) << err_.str();
  EXPECT_TRUE(ErrHas(file + ":1: skipped (unknown command): TX=5\n")) << err_.str();
  EXPECT_TRUE(ErrHas(file + ":2: skipped (malformed line): garbage line\n"));
  EXPECT_TRUE(ErrHas(file + ":4: skipped (malformed line): \\x01\\x02"));
  EXPECT_TRUE(ErrHas(file + ":5: skipped (factory line in user mode): FCBDRT=1\n"));
  EXPECT_TRUE(ErrHas(file + ":7: skipped (malformed line): TI?\n"));
  EXPECT_FALSE(ErrHas(":3:")) << "taken lines and blank lines are not reported";
  EXPECT_FALSE(ErrHas(":6:"));
  EXPECT_EQ(Run({"--user", "load", "--strict", file}), kExitRefused);
  EXPECT_EQ(Run({"--user", "load", "--strict", Write("good.cam", "TI=1\n")}), kExitOk);

  // A file the program saved passes --strict: its lines for rows of other models are only
  // reported, the rows it writes without a command name not even that.
  const std::string saved = PathOf("saved.cam");
  ASSERT_EQ(Run({"--user", "save", saved}), kExitOk);
  EXPECT_EQ(Run({"--user", "load", "--strict", saved}), kExitOk) << err_.str();
  EXPECT_TRUE(ErrHas("skipped (not for this model): SMRW5=")) << err_.str();
  EXPECT_FALSE(ErrHas(": =")) << err_.str();

  // An unknown model's notice is no refusal: every line was taken.
  EXPECT_EQ(Run({"--factory", "load", "--force", Write("model.cam", "MD00=FOO-1\nTI=1\n")}),
            kExitOk)
      << err_.str();
  EXPECT_TRUE(ErrHas("Unsupported model")) << err_.str();
}

TEST_F(ProductionLineTest, ValuesThatAreNoCleanNumberAreNeverSentNorSaved) {
  StartCamera({"--letter-in-value", "--fault-on", "PE"});
  // The camera's PE value arrives with a letter in it: that row is not read, so nothing is saved.
  const std::string saved = PathOf("pe.cam");
  EXPECT_EQ(Run({"save", saved}), kExitRefused) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(saved));
  EXPECT_TRUE(ErrHas("for PE? (no clean number; the value was not taken)")) << err_.str();
  EXPECT_TRUE(ErrHas("Not read: PE.")) << err_.str();
  EXPECT_EQ(Run({"dump"}), kExitRefused);
  EXPECT_EQ(out_.str(), "");

  // In a file, such a value is a malformed line; the report names what was sent.
  const std::string file = Write("values.cam", "HTL=1e3\nTI=1\n");
  EXPECT_EQ(Run({"--user", "load", file}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), file + ":2: sent TI=1\n");
  EXPECT_TRUE(ErrHas(file + ":1: skipped (malformed line): HTL=1e3\n")) << err_.str();
  EXPECT_EQ(Run({"--user", "load", "--strict", file}), kExitRefused);
}

TEST_F(ProductionLineTest, FilesWithNothingToCompareOrForAnotherModelPassNothing) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  for (const char* text : {"", "\n\n", "TX=1\nSMRW5=100\n", "FG"}) {
    const std::string file = Write("none.cam", text);
    EXPECT_EQ(Run({"--user", "diff", "--json", file}), kExitUsage) << text;
    EXPECT_EQ(out_.str(), "") << "no verdict on nothing compared";
    EXPECT_TRUE(ErrHas("holds no setting for the RL-4100T-VLNK camera")) << err_.str();
    EXPECT_EQ(Run({"--user", "load", file}), kExitUsage) << text;
  }

  const std::string other = Write("qx.cam", "MD00=QX-70500C-VLNK\nDV=1.1.1.1\nFGA=300\n");
  EXPECT_EQ(Run({"--user", "diff", other}), kExitRefused);
  EXPECT_TRUE(OutHas(other + ":1: MD00 file=QX-70500C-VLNK camera=RL-4100T-VLNK\n")) << out_.str();
  EXPECT_EQ(Run({"--user", "load", other}), kExitUsage);
  EXPECT_TRUE(ErrHas("the file is for a QX-70500C-VLNK camera")) << err_.str();
  EXPECT_TRUE(ErrHas("give --force")) << err_.str();
  EXPECT_EQ(out_.str(), "") << "nothing sent";
  // Forced, a user-mode load still sends no identity line.
  EXPECT_EQ(Run({"--user", "load", "--strict", "--force", other}), kExitRefused);
  EXPECT_EQ(out_.str(), other + ":3: sent FGA=300\n");
  EXPECT_TRUE(ErrHas(other + ":2: skipped (factory line in user mode): DV=1.1.1.1")) << err_.str();
}

TEST_F(ProductionLineTest, NoConfirmationsOfTheDesktopProgramOnStderr) {
  StartCamera();
  EXPECT_EQ(Run({"store", "2"}), kExitOk);
  EXPECT_EQ(Run({"--yes", "store-all"}), kExitOk);
  EXPECT_FALSE(ErrHas("Completed")) << err_.str();
}

TEST_F(ProductionLineTest, ParamsAndDescribeGiveTheConnectedModelsRanges) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  EXPECT_EQ(Run({"params"}), kExitOk) << err_.str();
  EXPECT_TRUE(OutHas("\n2512 WTC number 1 96 1456 ")) << "the model's width, not 4112";
  EXPECT_EQ(Run({"params", "--json"}), kExitOk);
  EXPECT_TRUE(
      OutHas("{\"ctrl\":2512,\"command\":\"WTC\",\"kind\":\"number\",\"class\":1,"
             "\"min\":96,\"max\":1456,"))
      << out_.str().substr(0, 300);
  EXPECT_EQ(Run({"describe", "WTC"}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(),
            "WTC control 2512: number, class user, range 96..1456 (model RL-4100T-VLNK), "
            "value 1456\n");
  EXPECT_EQ(Run({"set", "WTC=1457"}), kExitRefused);
}

TEST_F(ProductionLineTest, DescribeAsksOnlyForModesTheModelHas) {
  StartCamera({"--model", "QX-70500C-VLNK"});
  EXPECT_EQ(Run({"describe", "TI"}), kExitOk);
  EXPECT_EQ(err_.str(), "") << "no refused query of a mode the QX models do not have";
  // A choice lists its entries with the values the pages send for them.
  EXPECT_TRUE(out_.str().starts_with(
      "TI control 1349: choice, class user, entries Low=0, High=1, Software=2, "
      "PulseGenerator0=10,"))
      << out_.str();
  EXPECT_TRUE(out_.str().ends_with(", Nand1Out=27 (model QX-70500C-VLNK), value 0\n"))
      << out_.str();
  EXPECT_EQ(Run({"describe", "GMA"}), kExitOk);
  EXPECT_NE(out_.str().find("entries 0.45=45, 0.5=50,"), std::string::npos) << out_.str();
}

TEST_F(ProductionLineTest, DiffComparesAFileAsLoadWouldApplyIt) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  const std::string golden = PathOf("golden.cam");
  ASSERT_EQ(Run({"--user", "save", golden}), kExitOk) << err_.str();
  EXPECT_EQ(Run({"--user", "diff", golden}), kExitOk) << out_.str() << err_.str();
  EXPECT_EQ(out_.str(), "");

  EXPECT_EQ(Run({"set", "FGA=300"}), kExitOk);
  EXPECT_EQ(Run({"--user", "diff", golden}), kExitRefused);
  EXPECT_TRUE(OutHas(": FGA file=")) << out_.str();
  EXPECT_TRUE(OutHas(" camera=300\n")) << out_.str();
  EXPECT_EQ(Run({"--user", "diff", "--json", golden}), kExitRefused);
  EXPECT_TRUE(OutHas("\"matches\":false")) << out_.str();
  EXPECT_TRUE(OutHas("\"name\":\"FGA\"")) << out_.str();

  // Of two lines for one setting the last one counts, as it is what a load leaves.
  EXPECT_EQ(Run({"--user", "diff", Write("twice.cam", "FGA=100\nFGA=300\n")}), kExitOk)
      << out_.str();
  EXPECT_EQ(Run({"--user", "load", golden}), kExitOk);
  EXPECT_EQ(Run({"--user", "diff", golden}), kExitOk) << out_.str();
}

TEST_F(ProductionLineTest, TheStoredChannelIsShownStoredAndTakesTheRunsBaud) {
  EXPECT_EQ(Run({"channel", "set", "--port", "3", "--baud", "57600"}, false), kExitOk)
      << err_.str();
  EXPECT_EQ(Run({"channel"}, false), kExitOk);
  EXPECT_TRUE(OutHas("kind: COM port\nport: 3 (COM4, /dev/ttyS3)\nbaud: 57600\n")) << out_.str();
  EXPECT_EQ(Run({"channel", "set", "--device", "/dev/ttyUSB0"}, false), kExitUsage);
  EXPECT_EQ(Run({"channel", "set"}, false), kExitUsage);

  // --baud with the stored channel opens it at that rate and stores nothing.
  StartCamera();
  std::filesystem::create_directories(temp_ / "ports");
  std::filesystem::create_symlink(device_, temp_ / "ports/COM4");
  ChannelOptions options;
  options.baud = 115200;
  CliSession session(options, out_, err_);
  ASSERT_EQ(session.Open(), kExitOk) << err_.str();
  EXPECT_EQ(session.Channel().GetBaudRate(), 115200u);
  EXPECT_EQ(session.Settings().GetStoredNumber(kStoredBaudrate, 0).value, 57600u);
}

TEST_F(ProductionLineTest, HelpHasAnExampleAndTheExitStatuses) {
  for (const char* command : {"get", "diff", "load", "store-all", "channel"}) {
    EXPECT_EQ(Run({command, "--help"}, false), kExitOk) << command;
    EXPECT_TRUE(OutHas("Example:\n  vistrelctl ")) << command << ": " << out_.str();
    EXPECT_TRUE(OutHas("Exit statuses:")) << command;
  }
}

}  // namespace
}  // namespace vistrel
