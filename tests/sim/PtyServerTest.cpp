#include "sim/PtyServer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "tests/sim/PtyTestSupport.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

std::shared_ptr<SimPeer> Camera() {
  return std::make_shared<SimPeer>();
}

TEST(PtyServerTest, LinkToTheSlaveLivesAsLongAsTheServer) {
  TempFolder folder;
  PtyServerOptions options;
  options.linkPath = folder.File("COM3");
  {
    PtyServer server(Camera(), options);
    ASSERT_TRUE(server.Start());
    EXPECT_FALSE(server.Start());  // a second start leaves the first one serving
    EXPECT_EQ(std::filesystem::read_symlink(options.linkPath).string(), server.SlavePath());
    SlaveLine line(options.linkPath);
    EXPECT_EQ(line.Ask("TI?"), "TI=0\r\n");
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(options.linkPath)));

  // A stale link is replaced; anything else in the way is refused.
  std::filesystem::create_symlink("/nonexistent", options.linkPath);
  {
    PtyServer server(Camera(), options);
    EXPECT_TRUE(server.Start());
    server.Stop();
    server.Stop();
  }
  std::ofstream(options.linkPath) << "data";
  PtyServer server(Camera(), options);
  std::string error;
  EXPECT_FALSE(server.Start(&error));
  EXPECT_NE(error.find("not a symbolic link"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_regular_file(options.linkPath));
}

TEST(PtyServerTest, Faults) {
  PtyServer server(Camera());
  ASSERT_TRUE(server.Start());
  SlaveLine line(server.SlavePath());

  // Lost line: no answer, and the camera never saw it.
  server.SetFaults({SimFault::NoReply, 0, "", 0, ""});
  EXPECT_EQ(line.Ask("TI=7", 200), "");
  server.SetFaults({});
  EXPECT_EQ(line.Ask("TI?"), "TI=0\r\n");

  // A late reply comes no earlier than asked, and then as a whole.
  server.SetFaults({SimFault::LateReply, 300, "", 0, ""});
  EXPECT_EQ(line.Ask("TI?", 100), "");
  EXPECT_EQ(line.ReadLine(2000), "TI=0\r\n");

  server.SetFaults({SimFault::HangUp, 0, "", 0, ""});
  EXPECT_EQ(line.Ask("TI?", 2000), "");
  EXPECT_TRUE(line.HungUp());
  EXPECT_TRUE(server.HungUp());
}

TEST(PtyServerTest, BaudRateSpacesTheReplyBytes) {
  PtyServerOptions options;
  options.baud = 300;
  PtyServer server(Camera(), options);
  ASSERT_TRUE(server.Start());
  SlaveLine line(server.SlavePath());
  // 19 bytes of 10 bits at 300 baud take 633 ms: after 100 ms only the first few are there.
  const std::string first = line.Ask("MD?", 100);
  EXPECT_LT(first.size(), 19u);
  EXPECT_EQ(first + line.ReadLine(3000), "MD=QX-70500C-VLNK\r\n");
}

}  // namespace
}  // namespace vistrel::test
