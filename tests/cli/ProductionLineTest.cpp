// vistrelctl as a production line's script uses it: a silent camera ends fast, bad
// arguments are usage errors, statuses follow what happened, files are checked line by line.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "camera/models/ModelCatalogue.h"
#include "cli/CliFixture.h"
#include "cli/CliSession.h"
#include "cli/ModelRanges.h"
#include "cli/SettingCheck.h"
#include "core/CommandTable.h"
#include "support/CameraCommandList.h"
#include "transport/StoredSettings.h"

namespace vistrel {
namespace {

class ProductionLineTest : public CliTest {};

// Every camera command starts with the model check: on a silent camera each ends there with
// the time-out status and one line naming the command, the channel and what to do.
TEST_F(ProductionLineTest, ASilentCameraEndsEveryCommandAfterTheModelCheck) {
  StartCamera({"--no-reply"});
  const std::string file = Write("any.cam", "TI=1\n");
  std::string table = "GammaData (R G B)\r\n";
  for (int level = 0; level < 32; ++level)
    table += "0,0,0\r\n";
  const std::string gamma = Write("gamma.csv", table);
  const auto commands = test::CameraCommandList(file, gamma, PathOf("new"));
  for (std::vector<std::string> args : commands) {
    const std::string operation = args[0] == "lut" ? "lut " + args[1] : args[0];
    // A short reply limit: the camera never answers, so each command ends after one wait.
    args.insert(args.begin(), {"--factory", "--timeout", "20"});
    EXPECT_EQ(Run(args), kExitTimeout) << operation << ": " << err_.str();
    EXPECT_TRUE(err_.str().starts_with("vistrelctl " + operation + ": " + device_ +
                                       " 115200: the camera does not answer; check "))
        << err_.str();
    EXPECT_EQ(std::ranges::count(err_.str(), '\n'), 1) << err_.str();
    EXPECT_EQ(out_.str(), "") << operation;
  }
}

TEST_F(ProductionLineTest, ArgumentsAScriptGetsWrongAreUsageErrors) {
  for (const char* option : {"--device", "--port", "--cl2000", "--cl2001", "--clver11", "--baud"}) {
    EXPECT_EQ(Run({option, "", "get", "TI"}, false), kExitUsage) << option;
    EXPECT_TRUE(ErrHas("an empty value")) << option;
  }
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"frobnicate"}, "unknown subcommand: frobnicate"},
      {{"--frob"}, "unknown option: --frob"},
      {{}, "a subcommand is required"},
      {{"--simulate=FOO", "info"},
       "no simulated camera of model FOO; the models are RL-4100T-VLNK,"},
      {{"--simulate", "send", ""}, ""},
      // Checked before the channel is opened.
      {{"save", PathOf("missing/x.cam")}, "does not exist"},
  };
  for (const auto& [args, error] : cases) {
    EXPECT_EQ(Run(args, false), kExitUsage) << error;
    EXPECT_TRUE(ErrHas(error));
  }

  // A rate no channel runs at is refused, not stored to fail every later run.
  for (const char* rate : {"abc", "12345", "0"}) {
    EXPECT_EQ(Run({"--baud", rate, "get", "TI"}, false), kExitUsage) << rate;
    EXPECT_TRUE(ErrHas(std::string("not a baud rate: ") + rate + " (the rates are 9600, "));
    EXPECT_EQ(Run({"channel", "set", "--baud", rate}, false), kExitUsage) << rate;
  }
  EXPECT_EQ(Run({"channel"}, false), kExitOk);
  EXPECT_TRUE(OutHas("baud: 9600\n"));
}

TEST_F(ProductionLineTest, RunOptionsAfterTheSubcommandLeaveItsArgumentsAlone) {
  EXPECT_EQ(Printed({"get", "--simulate", "TI"}, false), "TI=0\n");
  EXPECT_EQ(Printed({"get", "MD", "--simulate=RL-4100T-VLNK"}, false), "MD=RL-4100T-VLNK\n");
}

TEST_F(ProductionLineTest, TextsAndRefusalsAsTheCameraSentThem) {
  StartCamera({"--model", "QX-70500M-VLNK"});
  EXPECT_EQ(Run({"set", "UD=line4 cam"}), kExitOk);
  EXPECT_EQ(Printed({"get", "--json", "UD", "TI"}),
            "{\"ok\":true,\"values\":{\"UD\":\"line4 cam\",\"TI\":0}}\n");
  EXPECT_EQ(Run({"info"}), kExitOk);
  EXPECT_TRUE(OutHas("User ID: line4 cam\n"));
  EXPECT_EQ(Run({"info", "--json"}), kExitOk);
  EXPECT_TRUE(OutHas("\"model\":\"QX-70500M-VLNK\""));
  EXPECT_TRUE(OutHas("\"userId\":\"line4 cam\""));

  // A raw line's reply is printed as it came; an error line is a refusal.
  EXPECT_EQ(Run({"send", "FGA=99999"}), kExitRefused);
  EXPECT_EQ(out_.str(), "Error: value out of range\n");
  EXPECT_TRUE(ErrHas("the camera answered FGA=99999 with an error line"));
}

TEST_F(ProductionLineTest, LoadSaysWhichLinesItSkippedAndStrictFails) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  const std::string file =
      Write("mixed.cam", "TX=5\ngarbage line\nTI=1\n\x01\x02\xff\nFCBDRT=1\n\nTI?\n");
  EXPECT_EQ(Run({"--user", "load", file}), kExitOk) << err_.str();
  EXPECT_TRUE(ErrHas(file + ":1: skipped (unknown command): TX=5\n"));
  EXPECT_TRUE(ErrHas(file + ":2: skipped (malformed line): garbage line\n"));
  EXPECT_TRUE(ErrHas(file + ":4: skipped (malformed line): \\x01\\x02"));
  EXPECT_TRUE(ErrHas(file + ":5: skipped (factory line in user mode): FCBDRT=1\n"));
  EXPECT_TRUE(ErrHas(file + ":7: skipped (malformed line): TI?\n"));
  EXPECT_FALSE(ErrHas(":3:")) << "taken lines and blank lines are not reported";
  EXPECT_FALSE(ErrHas(":6:"));
  EXPECT_EQ(Run({"--user", "load", "--strict", file}), kExitRefused);

  // A file the program saved passes --strict and skips nothing. A line for a row of another
  // model, as a file saved from that model has, is only reported; a row written without a
  // command name not even that.
  const std::string saved = PathOf("saved.cam");
  ASSERT_EQ(Run({"--user", "save", saved}), kExitOk);
  EXPECT_EQ(Run({"--user", "load", "--strict", saved}), kExitOk) << err_.str();
  EXPECT_FALSE(ErrHas("skipped"));
  const std::string foreign = Write("foreign.cam", "SMRW5=4112\n=0\nTI=1\n");
  EXPECT_EQ(Run({"--user", "load", "--strict", foreign}), kExitOk) << err_.str();
  EXPECT_TRUE(ErrHas("skipped (not for this model): SMRW5="));
  EXPECT_FALSE(ErrHas(": ="));
  // --quiet leaves only data and errors: no note and no sent line, but each line skipped.
  EXPECT_EQ(Run({"--user", "--quiet", "load", "--strict", foreign}), kExitOk);
  EXPECT_EQ(out_.str() + err_.str(), "");
  EXPECT_EQ(Run({"--user", "-q", "load", Write("bad.cam", "TX=1\nTI=1\n")}), kExitOk);
  EXPECT_EQ(err_.str(),
            "vistrelctl: " + PathOf("bad.cam") + ":1: skipped (unknown command): TX=1\n");
  // A byte a terminal takes for a control sequence is shown escaped, as text and in JSON.
  EXPECT_EQ(Run({"--user", "-q", "load", Write("odd.cam", "TX\x9b=1\nTI=1\n")}), kExitOk);
  EXPECT_EQ(err_.str(),
            "vistrelctl: " + PathOf("odd.cam") + ":1: skipped (unknown command): TX\\x9b=1\n");
  EXPECT_EQ(Run({"--user", "load", "--json", PathOf("odd.cam")}), kExitOk);
  EXPECT_TRUE(OutHas("\"text\":\"TX\\\\x9b=1\""));

  // An unknown model's notice is no refusal: every line was taken.
  EXPECT_EQ(Run({"--factory", "load", "--force", Write("model.cam", "MD00=FOO-1\nTI=1\n")}),
            kExitOk)
      << err_.str();
  EXPECT_TRUE(ErrHas("Unsupported model"));
}

TEST_F(ProductionLineTest, ValuesThatAreNoCleanNumberAreNeverSentNorSaved) {
  // A letter in the number, and two numbers for a control that holds one.
  for (const std::vector<std::string>& fault : {std::vector<std::string>{"--letter-in-value"},
                                                {"--reply-value", "12,3"},
                                                {"--reply-value", "1,2"}}) {
    std::vector<std::string> options = fault;
    options.insert(options.end(), {"--fault-on", "PE"});
    StartCamera(options);
    // That row is not read, so nothing is saved, shown or compared.
    const std::string saved = PathOf("pe.cam");
    EXPECT_EQ(Run({"save", saved}), kExitRefused) << err_.str();
    EXPECT_FALSE(std::filesystem::exists(saved));
    EXPECT_TRUE(ErrHas("for PE? (no clean number; the value was not taken)"));
    EXPECT_EQ(Run({"dump"}), kExitRefused);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Run({"get", "PE"}), kExitRefused);
    EXPECT_EQ(out_.str(), "") << fault.back();
  }
}

TEST_F(ProductionLineTest, AValueOutsideItsRangeIsTheCamerasAndSaidSo) {
  StartCamera({"--reply-value", "-10000", "--fault-on", "PE"});
  const std::string warning = "the camera holds PE=-10000, outside its range 1..8000000; ";
  EXPECT_EQ(Run({"get", "PE"}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "PE=-10000\n");
  EXPECT_EQ(err_.str(), "vistrelctl: warning: " + warning + "shown as the camera holds it\n");
  EXPECT_EQ(Run({"get", "PE", "--json"}), kExitOk);
  EXPECT_TRUE(OutHas("\"values\":{\"PE\":-10000},\"outOfRange\":[\"PE\"]"));
  EXPECT_EQ(Run({"describe", "PE", "--json"}), kExitOk);
  EXPECT_TRUE(OutHas("\"value\":-10000,\"outOfRange\":true"));
  EXPECT_EQ(Run({"dump", "--json"}), kExitOk);
  EXPECT_TRUE(OutHas("\"outOfRange\":[\"PE\"]"));
  const std::string saved = PathOf("pe.cam");
  EXPECT_EQ(Run({"save", saved}), kExitOk) << err_.str();
  EXPECT_NE(Contents(saved).find("\nPE=-10000\n"), std::string::npos) << Contents(saved);
  EXPECT_EQ(err_.str(), "vistrelctl: warning: " + warning + "saved as the camera holds it\n");
}

TEST_F(ProductionLineTest, FilesWithNothingToCompareOrForAnotherModelPassNothing) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  for (const char* text : {"", "\n\n", "TX=1\nSMRW5=100\n", "FG"}) {
    const std::string file = Write("none.cam", text);
    EXPECT_EQ(Run({"--user", "diff", "--json", file}), kExitUsage) << text;
    EXPECT_TRUE(out_.str().starts_with("{\"ok\":false,\"error\":{\"operation\":\"diff\""))
        << out_.str();
    EXPECT_FALSE(OutHas("matches")) << "no verdict on nothing compared";
    EXPECT_TRUE(ErrHas("holds no setting for the RL-4100T-VLNK camera"));
  }

  const std::string other = Write("qx.cam", "MD00=QX-70500C-VLNK\nDV=1.1.1.1\nFGA=300\n");
  EXPECT_EQ(Run({"--user", "diff", other}), kExitRefused);
  EXPECT_TRUE(OutHas(other + ":1: MD00 file=QX-70500C-VLNK camera=RL-4100T-VLNK\n"));
  EXPECT_EQ(Run({"--user", "load", other}), kExitUsage);
  EXPECT_TRUE(ErrHas("give --force"));
  // Forced, a user-mode load still sends no identity line.
  EXPECT_EQ(Run({"--user", "load", "--strict", "--force", other}), kExitRefused);
  EXPECT_EQ(out_.str(), other + ":3: sent FGA=300\n");
  EXPECT_TRUE(ErrHas(other + ":2: skipped (factory line in user mode): DV=1.1.1.1"));
}

TEST_F(ProductionLineTest, ParamsAndDescribeGiveTheConnectedModelsRanges) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  EXPECT_EQ(Run({"params"}), kExitOk) << err_.str();
  EXPECT_TRUE(OutHas("\n2512 WTC number 1 96 1456 ")) << "the model's width, not 4112";
  EXPECT_EQ(Run({"params", "--json"}), kExitOk);
  EXPECT_TRUE(
      OutHas("{\"ctrl\":2512,\"command\":\"WTC\",\"kind\":\"number\",\"class\":\"user\","
             "\"min\":96,\"max\":1456,"))
      << out_.str().substr(0, 300);
  EXPECT_EQ(Run({"describe", "WTC"}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(),
            "WTC control 2512: number, class user, caption \"Width\", range 96..1456, unit "
            "pixels (model RL-4100T-VLNK), value 1456\n")
      << "no default outside the model's range";
}

// One value the model does not allow stops the whole call before anything is sent; a choice is
// taken by its entry text, a number in &H form too; a binning mode counts for the values after it.
TEST_F(ProductionLineTest, SetChecksEveryValueBeforeItSendsAny) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"TI=1", "WTC=1457"}, {"TI=1", "TI=3"}, {"TI=1", "TI=Hgh"}, {"HB=2", "WTC=1000"}}) {
    std::vector<std::string> call{"--log", "set"};
    call.insert(call.end(), args.begin(), args.end());
    EXPECT_EQ(Run(call), kExitUsage) << args.back();
    EXPECT_TRUE(ErrHas("vistrelctl set: " + device_ + " 115200: " + args.back()));
    EXPECT_TRUE(ErrHas(" (model RL-4100T-VLNK); nothing was sent"));
    EXPECT_FALSE(ErrHas("Tx: TI=")) << "nothing sent";
  }
  EXPECT_EQ(Run({"set", "FGA=2147483648"}), kExitUsage);
  EXPECT_TRUE(ErrHas("not a 32-bit number"));
  EXPECT_EQ(Run({"set", "TI=high", "HB=2", "WTC=700", "FGA=&H100"}), kExitOk) << err_.str();
  EXPECT_EQ(Printed({"get", "TI", "WTC", "FGA"}), "TI=1\nWTC=700\nFGA=256\n");

  // What the camera refuses is named, and the settings after it are not sent.
  EXPECT_EQ(Run({"set", "SQPGR1=1", "TI=0"}), kExitRefused);
  EXPECT_TRUE(ErrHas("vistrelctl set: " + device_ + " 115200: the camera refused SQPGR1=1"));
  EXPECT_EQ(Printed({"get", "TI"}), "TI=1\n");
}

// Whether `set` (without sending) lets `value` of the command `id` through.
bool SetAllows(CliSession& s, int id, int64_t value) {
  std::vector<RequestedSetting> one{
      {id, std::string(CommandTable::Name(id)), std::to_string(value), {}}};
  std::vector<SettingRefusal> refused;
  EXPECT_EQ(CheckSettings(s, one, &refused), kExitOk);
  return refused.empty();
}

// Both ends of every number control's range are taken and one beyond either is not, on a
// model of each family (a command with several rows may allow what one of them does not).
TEST_F(ProductionLineTest, SetTakesBothEndsOfEveryRangeAndNothingBeyond) {
  for (const char* model : {"RL-4100T-VLNK", "QX-70500C-VLNK"}) {
    ChannelOptions options;
    options.simulate = model;
    CliSession s(options, out_, err_);
    ASSERT_EQ(s.Open(), kExitOk) << err_.str();
    ASSERT_EQ(s.CheckCameraAnswers(), kExitOk) << err_.str();
    const RangeInputs inputs = ModelRangesUnread(s).inputs;
    const ParameterTable& table = s.Camera().Table();
    std::map<int, int> rowsOf;
    for (int i = 0; i < table.RowCount(); ++i)
      rowsOf[table.Row(i).commandId] += 1;
    int checked = 0;
    for (int i = 0; i < table.RowCount(); ++i) {
      const ParameterEntry& row = table.Row(i);
      int32_t minimum = 0, maximum = 0;
      RowRange(row, inputs, minimum, maximum);
      if (row.kind != ControlKind::Number || minimum >= maximum ||
          CommandTable::Entry(row.commandId).kind != ValueKind::Integer ||
          !ModelSupportsControl(s.Camera().Model().code, row.ctrlId))
        continue;
      const std::string name(CommandTable::Name(row.commandId));
      SCOPED_TRACE(std::string(model) + " " + name);
      EXPECT_TRUE(SetAllows(s, row.commandId, minimum)) << minimum;
      EXPECT_TRUE(SetAllows(s, row.commandId, maximum)) << maximum;
      if (rowsOf[row.commandId] == 1) {
        EXPECT_FALSE(SetAllows(s, row.commandId, int64_t{minimum} - 1)) << minimum - 1;
        EXPECT_FALSE(SetAllows(s, row.commandId, int64_t{maximum} + 1)) << maximum + 1;
      }
      ++checked;
    }
    EXPECT_GT(checked, 20) << model;
  }
}

TEST_F(ProductionLineTest, DescribeAsksOnlyForModesTheModelHas) {
  StartCamera({"--model", "QX-70500C-VLNK"});
  EXPECT_EQ(Run({"describe", "TI"}), kExitOk);
  EXPECT_EQ(err_.str(), "") << "no refused query of a mode the QX models do not have";
  // A choice lists its entries with the values the pages send for them.
  EXPECT_TRUE(out_.str().starts_with(
      "TI control 1349: choice, class user, caption \"Trigger Source\", entries Low=0, High=1, "
      "Software=2, "
      "PulseGenerator0=10,"))
      << out_.str();
  EXPECT_TRUE(out_.str().ends_with(", Nand1Out=27, default 0 (model QX-70500C-VLNK), value 0\n"))
      << out_.str();
  EXPECT_EQ(Run({"describe", "GMA"}), kExitOk);
  EXPECT_TRUE(OutHas("entries 0.45=45, 0.5=50,"));
}

TEST_F(ProductionLineTest, DiffComparesAFileAsLoadWouldApplyIt) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  const std::string golden = PathOf("golden.cam");
  ASSERT_EQ(Run({"--user", "save", golden}), kExitOk) << err_.str();
  EXPECT_EQ(Run({"--user", "diff", golden}), kExitOk) << out_.str() << err_.str();
  EXPECT_EQ(out_.str(), "");

  EXPECT_EQ(Run({"set", "FGA=300"}), kExitOk);
  EXPECT_EQ(Run({"--user", "diff", golden}), kExitRefused);
  EXPECT_TRUE(OutHas(": FGA file="));
  EXPECT_TRUE(OutHas(" camera=300\n"));
  EXPECT_TRUE(ErrHas(": 1 value differs from " + golden + "; load the file"));
  EXPECT_EQ(Run({"--user", "diff", "--json", golden}), kExitRefused);
  EXPECT_TRUE(OutHas("\"matches\":false"));
  EXPECT_TRUE(OutHas("\"message\":\"1 value differs from " + golden));
  EXPECT_TRUE(OutHas("\"name\":\"FGA\""));

  // Of two lines for one setting the last one counts, as it is what a load leaves.
  EXPECT_EQ(Run({"--user", "diff", Write("twice.cam", "FGA=100\nFGA=300\n")}), kExitOk)
      << out_.str();
  EXPECT_EQ(Run({"--user", "load", golden}), kExitOk);
  EXPECT_EQ(Run({"--user", "diff", golden}), kExitOk) << out_.str();

  // A line that names the model it is for checks the camera before anything else.
  for (const char* command : {"diff", "load", "save", "dump"}) {
    std::vector<std::string> args{"--user", command, "--expect-model", "QX-70500C-VLNK"};
    if (command != std::string("dump"))
      args.push_back(command == std::string("save") ? PathOf("other.cam") : golden);
    EXPECT_EQ(Run(args), kExitRefused) << command;
    EXPECT_TRUE(ErrHas(std::string("vistrelctl ") + command + ": " + device_ +
                       " 115200: the camera is a RL-4100T-VLNK, not the expected "
                       "QX-70500C-VLNK; nothing was done"))
        << err_.str();
    EXPECT_EQ(out_.str(), "") << command;
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("other.cam")));
  EXPECT_EQ(Run({"--user", "diff", "--expect-model", "RL-4100T-VLNK", golden}), kExitOk);
}

TEST_F(ProductionLineTest, TheStoredChannelIsShownStoredAndTakesTheRunsBaud) {
  EXPECT_EQ(Run({"channel", "set", "--port", "3", "--baud", "57600"}, false), kExitOk)
      << err_.str();
  EXPECT_EQ(Run({"channel"}, false), kExitOk);
  EXPECT_TRUE(OutHas("kind: COM port\nport: 3 (COM4, /dev/ttyS3)\nbaud: 57600\n"));
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
  for (const char* command : {"get", "diff", "load", "store-all", "channel", "adjust", "sequencer",
                              "entry", "blemish-clear", "counts"}) {
    EXPECT_EQ(Run({command, "--help"}, false), kExitOk) << command;
    EXPECT_TRUE(OutHas("Example:\n  vistrelctl ")) << command;
    EXPECT_TRUE(OutHas("Exit statuses:")) << command;
  }
}

}  // namespace
}  // namespace vistrel
