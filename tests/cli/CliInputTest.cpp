// vistrelctl's handling of bad input that needs no camera: files that are not setting files,
// port numbers that make no COM name, a damaged settings.ini.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "camera/SettingFileLimits.h"
#include "cli/CliFixture.h"

namespace vistrel {
namespace {

class CliInputTest : public CliTest {
 protected:
  // Runs vistrelctl without the camera's channel options.
  int Run(std::vector<std::string> args) { return CliTest::Run(std::move(args), false); }

  std::string noDevice_ = temp_ / "no-device";
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
    EXPECT_TRUE(ErrHas(message));
  }
}

TEST_F(CliInputTest, PortNumbersThatMakeNoComNameAreUsageErrors) {
  for (const std::string port : {"2147483647", "4294967296", "-1"}) {
    EXPECT_EQ(Run({"--port", port, "get", "TI"}), kExitUsage) << port;
    EXPECT_TRUE(ErrHas("--port"));
  }
  // The highest index that makes a name gets as far as opening its port.
  std::filesystem::create_directories(temp_ / "ports");
  std::filesystem::create_symlink(noDevice_, temp_ / "ports/COM2147483647");
  EXPECT_EQ(Run({"--port", "2147483646", "get", "TI"}), kExitNoChannel);
  EXPECT_TRUE(ErrHas("vistrelctl get: COM2147483647 " + noDevice_ + " 9600: could not open"));
}

// Whichever subcommand reads a damaged settings.ini first says so and names the copy kept
// aside; a file that cannot be read is never taken for defaults.
TEST_F(CliInputTest, TheStoredSettingsFileIsReportedByTheFirstReader) {
  const std::string settings = temp_ / "settings.ini";
  std::ofstream(settings) << "Control Mode=number:1\nCom Port No=nmber:2\n";
  EXPECT_EQ(Run({"channel"}), kExitOk);
  std::string copy;
  for (const auto& entry : std::filesystem::directory_iterator(temp_.Path())) {
    if (entry.path().filename().string().starts_with("settings.ini.corrupt-"))
      copy = entry.path().string();
  }
  ASSERT_FALSE(copy.empty());
  EXPECT_TRUE(ErrHas("were left out"));
  EXPECT_TRUE(ErrHas("kept as " + copy + ". Once you have looked at it, delete"));

  std::filesystem::remove(settings);
  std::filesystem::create_directory(settings);
  EXPECT_EQ(Run({"channel", "set", "--port", "1"}), kExitNoChannel);
  EXPECT_TRUE(ErrHas("vistrelctl: The stored settings file " + settings +
                     " cannot be read (not a regular file)"));
  EXPECT_TRUE(ErrHas("the channel could not be stored in " + settings + ": " + settings +
                     " cannot be read (not a regular file)"));
}

}  // namespace
}  // namespace vistrel
