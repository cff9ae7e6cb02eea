// vistrelctl's handling of bad input that needs no camera: files that are not setting files,
// port numbers that make no COM name, a damaged settings.ini.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "camera/SettingFileLimits.h"
#include "cli/Cli.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

class CliInputTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), "vistrelctl");
    std::vector<const char*> argv;
    for (const std::string& a : args)
      argv.push_back(a.c_str());
    out_.str("");
    err_.str("");
    return RunCli(static_cast<int>(argv.size()), argv.data(), out_, err_);
  }
  bool ErrHas(const std::string& text) const { return err_.str().find(text) != std::string::npos; }

  test::TempFolder temp_;
  test::ScopedEnv configDir_{"VISTREL_CONFIG_DIR", temp_.Path()};
  std::string noDevice_ = temp_ / "no-device";
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CliInputTest, LoadRefusesWhatIsNotASettingFileBeforeOpeningTheChannel) {
  const std::string big = temp_ / "big.cam";
  std::ofstream(big).close();
  std::filesystem::resize_file(big, kMaxSettingFileBytes + 1);
  const std::pair<std::string, std::string> cases[] = {
      {"/dev/zero", "/dev/zero: not a regular file"},
      {temp_.Path(), temp_.Path() + ": not a regular file"},
      {big, big + ": larger than "},
      {temp_ / "missing.cam", "missing.cam: No such file or directory"},
  };
  for (const auto& [path, message] : cases) {
    EXPECT_EQ(Run({"--device", noDevice_, "load", path}), kExitUsage) << path;
    EXPECT_TRUE(ErrHas(message)) << err_.str();
    EXPECT_FALSE(ErrHas("could not open")) << err_.str();
  }
}

}  // namespace
}  // namespace vistrel
