#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/SimData.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

using std::chrono::milliseconds;

TEST(SimFlashTest, StoreAndLoadAreas) {
  SimBench sim;
  sim.Accepts({"PE=2000", "SQW5=1024", "LUTR=12,7", "SA=2", "PE=3000", "SA=3", "LD=2"});
  sim.Holds({"PE=2000", "SQW5=1024"});
  EXPECT_EQ(sim.Ask("LUTR?12"), "LUTR=7");
  sim.Holds({"LD=2"});
  sim.Accepts({"LD=3"});
  sim.Holds({"PE=3000"});
  // Area 1 was never stored: it holds the power-on settings, as does the factory area.
  sim.Accepts({"LD=1"});
  sim.Holds({"PE=10000", "SQW5=4112"});
  sim.Accepts({"PE=4000", "LD=0"});
  sim.Holds({"PE=10000"});
  // Areas: SA 1..3, SA00 0 for the factory area, LD 0..3.
  sim.Refuses(kSimErrRange, {"SA=0", "SA=4", "SA00=1", "LD=4", "LD=-1"});
}

TEST(SimFlashTest, ResetIsSilentThenComesBackWithThePowerOnSettings) {
  SimConfig config;
  config.resetTime = milliseconds(2000);
  SimBench sim(config);
  // The factory area is what the camera boots with.
  sim.Accepts({"PE=2000", "SA00=0", "PE=3000", "UD=Line 4"});
  sim.Refuses(kSimErrRange, {"CRS00=2"});
  // The acknowledgement comes; whatever follows in the same piece is lost.
  EXPECT_EQ(sim.camera.Receive("CRS00=1\r\nTI?\r\n", sim.now), "COMPLETE\r\n");
  EXPECT_TRUE(sim.camera.IsResetting(sim.now));
  sim.Wait(milliseconds(1999));
  EXPECT_EQ(sim.Ask("PE?"), "");
  // A line cut by the end of the silence is lost as a whole.
  EXPECT_EQ(sim.camera.Receive("PE", sim.now), "");
  sim.Wait(milliseconds(1));
  EXPECT_FALSE(sim.camera.IsResetting(sim.now));
  EXPECT_EQ(sim.camera.Receive("?\r\n", sim.now), std::string(kSimErrMalformed) + "\r\n");
  sim.Holds({"PE=2000", "UD=Line 4"});  // identity data are not settings
}

TEST(SimFlashTest, StateFileKeepsAreasAndIdentity) {
  TempFolder folder;
  SimConfig config;
  config.statePath = folder.File("camera.state");
  std::vector<std::string> problems;
  config.log = [&](const std::string& text) { problems.push_back(text); };
  {
    SimBench sim(config);
    sim.Accepts({"PE=2000", "SQGA7=800", "LUTSB=9", "BMPXW=3,44", "SA=1", "TI=5", "SA00=0",
                 "UD=Station 2", "ULCK=6183529", "ID=CAM0000042", "XMLVR=321", "DV=2.0.1.9",
                 "MD00=RL-8200T-VLNK"});
    sim.Accepts({"GMA=60"});  // not stored: lost at restart
  }
  EXPECT_FALSE(std::filesystem::exists(config.statePath + ".tmp"));
  SimBench sim(config);
  // Booted from the factory area.
  sim.Holds({"MD=RL-8200T-VLNK", "UD=Station 2", "ID=CAM0000042", "XMLVR=321", "DV=2.0.1.9", "TI=5",
             "PE=2000", "GMA=45"});
  sim.Accepts({"LD=1"});
  sim.Holds({"TI=0", "SQGA7=800", "LUTSB=9"});
  EXPECT_EQ(sim.Ask("BMPXW?3"), "BMPXW=44");
  EXPECT_TRUE(problems.empty()) << problems.front();

  // An explicit model wins over the stored one.
  SimConfig other = config;
  other.model = "QX-70500M-VLNK";
  SimBench mono(other);
  mono.Holds({"MD=QX-70500M-VLNK", "UD=Station 2"});
}

TEST(SimFlashTest, BrokenStateFiles) {
  TempFolder folder;
  SimConfig config;
  config.statePath = folder.File("camera.state");
  std::vector<std::string> problems;
  config.log = [&](const std::string& text) { problems.push_back(text); };

  // Not a state file: the camera starts fresh, says so, and leaves the file alone.
  std::ofstream(config.statePath) << "something else\n";
  {
    SimBench sim(config);
    EXPECT_EQ(sim.Ask("UD?"), "UD=");
    ASSERT_EQ(problems.size(), 1u);
  }
  // Lines that are not understood are skipped and counted; the rest is used.
  std::ofstream(config.statePath) << "vistrel-sim state 1\n[identity]\nUD=Kept\nZZ=1\n"
                                  << "[area 0]\nPE=2500\nPE=x\nNOSUCH=3\nLUTR=999,1\n[area 9]\n";
  problems.clear();
  SimBench sim(config);
  EXPECT_EQ(sim.Ask("UD?"), "UD=Kept");
  EXPECT_EQ(sim.Ask("PE?"), "PE=2500");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("5 lines"), std::string::npos) << problems[0];

  // A state file that cannot be written is reported; the camera still works.
  SimConfig unwritable;
  unwritable.statePath = folder.File("missing-folder/camera.state");
  unwritable.log = config.log;
  problems.clear();
  SimBench lost(unwritable);
  EXPECT_EQ(lost.Ask("SA=1"), "COMPLETE");
  EXPECT_EQ(problems.size(), 1u);
}

}  // namespace
}  // namespace vistrel::test
