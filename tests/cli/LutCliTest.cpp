#include "CliFixture.h"

namespace vistrel {
namespace {

// The data lines of the camera's power-on tables: 128 per entry, full scale at the end.
std::string PowerOnLines(const char* lineEnd) {
  std::string text;
  for (int j = 0; j < 32; ++j) {
    const std::string v = std::to_string(j == 31 ? 4095 : 128 * j);
    text += v + ',' + v + ',' + v + lineEnd;
  }
  return text;
}

std::string RampFile() {
  std::string text = "GammaData (R G B)\r\n";
  for (int j = 0; j < 32; ++j)
    text +=
        std::to_string(j) + ',' + std::to_string(100 + j) + ',' + std::to_string(200 + j) + "\r\n";
  return text;
}

using LutCliTest = CliTest;

TEST_F(LutCliTest, ShowAndReadGiveTheCameraTables) {
  StartCamera();
  EXPECT_EQ(Printed({"lut", "show"}), PowerOnLines("\n"));

  const std::string file = PathOf("gamma.csv");
  ASSERT_EQ(Run({"lut", "read", file}), kExitOk) << err_.str();
  EXPECT_TRUE(out_.str().empty());

  // An existing file is replaced only when asked to.
  std::ofstream(file) << "keep";
  EXPECT_EQ(Run({"lut", "read", file}), kExitUsage);
  EXPECT_EQ(Contents(file), "keep");
  EXPECT_EQ(Run({"lut", "read", file, "--force"}), kExitOk) << err_.str();
  EXPECT_EQ(Contents(file), "GammaData (R G B)\r\n" + PowerOnLines("\r\n"));
}

TEST_F(LutCliTest, WriteSendsTheFileTablesAllOrOne) {
  StartCamera();
  const std::string ramp = Write("ramp.csv", RampFile());
  ASSERT_EQ(Run({"lut", "write", ramp, "--channel", "green"}), kExitOk) << err_.str();
  ASSERT_EQ(Run({"lut", "show"}), kExitOk);
  EXPECT_TRUE(out_.str().starts_with("0,100,0\n128,101,128\n")) << out_.str();

  ASSERT_EQ(Run({"lut", "write", ramp}), kExitOk) << err_.str();
  const std::string back = PathOf("back.csv");
  ASSERT_EQ(Run({"lut", "read", back}), kExitOk);
  EXPECT_EQ(Contents(back), RampFile());
}

TEST_F(LutCliTest, UnusableFilesAndArgumentsAreUsageErrors) {
  StartCamera();
  const std::string shortFile = Write("short.csv", "GammaData (R G B)\r\n1,2,3\r\n");
  EXPECT_EQ(Run({"lut", "write", shortFile}), kExitUsage);
  EXPECT_TRUE(ErrHas("1 data lines"));

  const std::string ramp = Write("ramp.csv", RampFile());
  EXPECT_EQ(Run({"lut", "write", ramp, "--channel", "purple"}), kExitUsage);
  EXPECT_EQ(Run({"lut", "write", PathOf("missing.csv")}), kExitUsage);
  EXPECT_EQ(Run({"lut"}), kExitUsage);
  // Nothing of it reached the camera's tables.
  EXPECT_EQ(Printed({"lut", "show"}), PowerOnLines("\n"));
}

TEST_F(LutCliTest, ReadThatLosesTheCameraWritesNoFile) {
  StartCamera({"--no-reply", "--fault-on", "LUTSG", "--fault-after", "10"});
  const std::string file = Write("gamma.csv", "old");
  EXPECT_EQ(Run({"--timeout", "200", "lut", "read", file, "--force"}), kExitTimeout);
  EXPECT_TRUE(ErrHas("the green table could not be read (no reply from the camera)"));
  EXPECT_EQ(Contents(file), "old");
}

}  // namespace
}  // namespace vistrel
