// vistrel-sim as a program: options, the first line of output, serving and cleaning up.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/SimProgram.h"
#include "tests/sim/PtyTestSupport.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

TEST(SimProgramTest, HelpAndUsageErrors) {
  SimProgram help({"--help"});
  const std::string text = help.Output();
  EXPECT_EQ(help.Finish(), 0);
  for (const char* option :
       {"--model", "--link", "--state", "--baud", "--reset-ms", "--no-reply", "--late-ms",
        "--garbage", "--other-reply", "--no-line-end", "--hang-up"})
    EXPECT_NE(text.find(option), std::string::npos) << option;

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--nonsense"},
                                             {"--baud", "0"},
                                             {"--reset-ms", "soon"},
                                             {"--garbage", "--no-reply"},
                                             {"--fault-on", "TI"},
                                             {"extra"}}) {
    SimProgram bad(args);
    const std::string errors = bad.Errors();
    EXPECT_EQ(bad.Finish(), 2) << args[0];
    EXPECT_NE(errors.find("Usage"), std::string::npos) << args[0];
  }
}

TEST(SimProgramTest, ServesUntilTerminatedAndCleansUp) {
  TempFolder folder;
  const std::string link = folder.File("camera");
  SimProgram sim({"--model", "RL-4100T-VLNK", "--link", link, "--reset-ms", "200"});
  const std::string path = sim.FirstLine();
  ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), path);
  {
    SlaveLine line(link);
    EXPECT_EQ(line.Ask("MD?"), "MD=RL-4100T-VLNK\r\n");
    EXPECT_EQ(line.Ask("CRS00=1"), "COMPLETE\r\n");
    EXPECT_EQ(line.Ask("MD?", 100), "");  // silent while restarting
    EXPECT_TRUE(WaitUntil([&] { return line.Ask("MD?", 100) == "MD=RL-4100T-VLNK\r\n"; }))
        << "back after the restart";
  }
  EXPECT_EQ(sim.Finish(SIGTERM), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  SimProgram interrupted({});
  ASSERT_EQ(interrupted.FirstLine().rfind("/dev/", 0), 0u);
  EXPECT_EQ(interrupted.Finish(SIGINT), 0);
}

}  // namespace
}  // namespace vistrel::test
