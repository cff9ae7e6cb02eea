#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "cli/CliFixture.h"
#include "core/CommandTable.h"

namespace vistrel {
namespace {

TEST_F(CliTest, TableListingsNeedNoCamera) {
  EXPECT_EQ(Run({"commands"}, false), kExitOk);
  EXPECT_TRUE(OutHas("\n389 ID text 0\n"));
  EXPECT_EQ(Run({"params"}, false), kExitOk);
  EXPECT_TRUE(OutHas("\n1842 #96 number 2 0 16383 0 0\n"));
}

TEST_F(CliTest, GetSetAndSendOnTheCamera) {
  StartCamera();
  EXPECT_EQ(Run({"set", "TI=1", "FGA=640"}), kExitOk);
  EXPECT_EQ(Printed({"get", "ti", "FGA", "MD"}), "TI=1\nFGA=640\nMD=QX-70500C-VLNK\n");
  EXPECT_EQ(Printed({"send", "FGA?"}), "FGA=640\n");

  EXPECT_EQ(Run({"set", "TI"}), kExitUsage);
  EXPECT_EQ(Run({"set", "UD=cam\r\nCRS00=1"}), kExitUsage);
}

TEST_F(CliTest, InfoDumpSaveAndLoad) {
  StartCamera({"--model", "RL-4100T-VLNK"});
  EXPECT_EQ(Run({"info"}), kExitOk);
  EXPECT_TRUE(OutHas("Firmware Version: "));

  EXPECT_EQ(Run({"set", "TI=1"}), kExitOk);
  EXPECT_EQ(Run({"--user", "dump"}), kExitOk);
  EXPECT_TRUE(out_.str().starts_with("TI=1\nSTRG=0\nTA="));

  const std::string file = PathOf("cam.cam");
  EXPECT_EQ(Run({"--log", "--factory", "save", file}), kExitOk);
  // A run checks the model once, however many steps need it.
  EXPECT_EQ(std::ranges::count(SentLines(err_.str()), "MD?"), 1);
  EXPECT_TRUE(Contents(file).starts_with("MD00=RL-4100T-VLNK\n"));
  EXPECT_EQ(Run({"save", file}), kExitUsage) << "an existing file needs --force";
  // So does a link that leads nowhere: the file made through it would be a surprise.
  const std::string dangling = PathOf("dangling.cam");
  std::filesystem::create_symlink(PathOf("nowhere.cam"), dangling);
  EXPECT_EQ(Run({"save", dangling}), kExitUsage);
  EXPECT_FALSE(std::filesystem::exists(PathOf("nowhere.cam")));
  // A folder that takes no new file fails the write itself, after everything was read.
  EXPECT_EQ(Run({"save", "/proc/vistrel.cam"}), kExitNotWritten);
  EXPECT_TRUE(ErrHas(": the file was not written; "));
  EXPECT_EQ(Run({"save", "--shipping", "--force", file}), kExitOk);

  EXPECT_EQ(Run({"set", "TI=0"}), kExitOk);
  EXPECT_EQ(Run({"load", file}), kExitOk);
  EXPECT_EQ(Printed({"get", "TI"}), "TI=1\n");
}

// A file command replaces only a regular file, --force or not; "-" is standard output.
TEST_F(CliTest, WritersReplaceOnlyRegularFiles) {
  StartCamera();
  const bool deviceMade = mknod(PathOf("node").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0666), 0);
  std::filesystem::create_symlink(PathOf("fifo"), PathOf("link"));
  const std::pair<const char*, const char*> nodes[] = {
      {"node", "a character device"}, {"fifo", "a FIFO"}, {"link", "a FIFO"}};
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"save"}, std::vector<std::string>{"lut", "read"}}) {
    for (const auto& [name, kind] : nodes) {
      if (name == std::string("node") && !deviceMade)
        continue;
      for (const bool force : {false, true}) {
        std::vector<std::string> args{"--log"};
        args.insert(args.end(), command.begin(), command.end());
        args.push_back(PathOf(name));
        if (force)
          args.push_back("--force");
        EXPECT_EQ(Run(args), kExitUsage) << name;
        EXPECT_TRUE(ErrHas(std::string(kind) + "; only a regular file is replaced"));
        EXPECT_EQ(SentLines(err_.str()).size(), 0u) << "refused before the channel opens";
      }
    }
  }
  EXPECT_EQ(std::filesystem::status(PathOf("fifo")).type(), std::filesystem::file_type::fifo);
  EXPECT_NE(Printed({"save", "-"}).find("\nTI="), std::string::npos);
  EXPECT_TRUE(Printed({"lut", "read", "-"}).starts_with("GammaData"));
  if (!deviceMade)
    GTEST_SKIP() << "mknod is not permitted here: the device node did not run";
}

TEST_F(CliTest, FlashAreasAndReset) {
  StartCamera({"--reset-ms", "100"});
  EXPECT_EQ(Run({"set", "TI=1"}), kExitOk);
  EXPECT_EQ(Run({"store", "2"}), kExitOk);
  EXPECT_EQ(Run({"set", "TI=0"}), kExitOk);
  EXPECT_EQ(Run({"load-area", "2"}), kExitOk);
  EXPECT_EQ(Printed({"get", "TI"}), "TI=1\n");
  EXPECT_EQ(Run({"store", "7"}), kExitUsage);
  EXPECT_EQ(Run({"--user", "store", "0"}), kExitUsage) << "the factory area needs factory mode";
  EXPECT_EQ(Run({"--factory", "store", "0"}), kExitOk);

  EXPECT_EQ(Run({"store-all"}), kExitUsage) << "no terminal to ask and no --yes";
  EXPECT_EQ(Run({"--yes", "store-all"}), kExitOk);
  EXPECT_FALSE(ErrHas("Completed")) << "no confirmations of the desktop program";
  // A reset returns once the camera answers again: the next command finds it ready.
  EXPECT_EQ(Printed({"reset"}).find("the camera answered again after 0."), 0u) << out_.str();
  EXPECT_EQ(Run({"get", "TI"}), kExitOk) << err_.str();
  EXPECT_EQ(Printed({"reset", "--no-wait"}), "");
}

}  // namespace
// What a camera sends is shown escaped wherever it lands (output, the failure line, the
// trace), and the trace stamps each line with the time of day.
TEST_F(CliTest, CameraTextIsEscapedAndTheTraceIsStamped) {
  StartCamera({"--model", "QX\x1b[2J\x07"});
  EXPECT_EQ(Run({"--log", "info"}), kExitOk) << err_.str();
  EXPECT_TRUE(OutHas("Model Name: QX\\x1b[2J\\x07\n"));
  EXPECT_EQ(Run({"--log", "dump", "--expect-model", "QX-70500C-VLNK"}), kExitRefused);
  EXPECT_TRUE(ErrHas("the camera is a QX\\x1b[2J\\x07, not"));
  for (const std::string& text : {out_.str(), err_.str()})
    EXPECT_EQ(text.find_first_of("\x1b\x07"), std::string::npos) << text;
  std::istringstream trace(err_.str());
  std::string first;
  std::getline(trace, first);
  EXPECT_TRUE(std::regex_match(first, std::regex(R"(\d\d:\d\d:\d\d\.\d{3}  Tx: MD\?)"))) << first;
}

}  // namespace vistrel
