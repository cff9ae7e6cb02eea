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
  EXPECT_EQ(sim.Ask("PE=2000"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SQW5=1024"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LUTR=12,7"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SA=2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("PE=3000"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SA=3"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LD=2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("PE?"), "PE=2000");
  EXPECT_EQ(sim.Ask("SQW5?"), "SQW5=1024");
  EXPECT_EQ(sim.Ask("LUTR?12"), "LUTR=7");
  EXPECT_EQ(sim.Ask("LD?"), "LD=2");
  EXPECT_EQ(sim.Ask("LD=3"), "COMPLETE");
  EXPECT_EQ(sim.Ask("PE?"), "PE=3000");
  // Area 1 was never stored: it holds the power-on settings, as does the factory area.
  EXPECT_EQ(sim.Ask("LD=1"), "COMPLETE");
  EXPECT_EQ(sim.Ask("PE?"), "PE=10000");
  EXPECT_EQ(sim.Ask("SQW5?"), "SQW5=4112");
  EXPECT_EQ(sim.Ask("PE=4000"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LD=0"), "COMPLETE");
  EXPECT_EQ(sim.Ask("PE?"), "PE=10000");
  // Areas: SA 1..3, SA00 0 for the factory area, LD 0..3.
  EXPECT_EQ(sim.Ask("SA=0"), kSimErrRange);
  EXPECT_EQ(sim.Ask("SA=4"), kSimErrRange);
  EXPECT_EQ(sim.Ask("SA00=1"), kSimErrRange);
  EXPECT_EQ(sim.Ask("LD=4"), kSimErrRange);
  EXPECT_EQ(sim.Ask("LD=-1"), kSimErrRange);
}

TEST(SimFlashTest, ResetIsSilentThenComesBackWithThePowerOnSettings) {
  SimConfig config;
  config.resetTime = milliseconds(2000);
  SimBench sim(config);
  EXPECT_EQ(sim.Ask("PE=2000"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SA00=0"), "COMPLETE");  // the factory area is what the camera boots with
  EXPECT_EQ(sim.Ask("PE=3000"), "COMPLETE");
  EXPECT_EQ(sim.Ask("UD=Line 4"), "COMPLETE");
  EXPECT_EQ(sim.Ask("CRS00=2"), kSimErrRange);
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
  EXPECT_EQ(sim.Ask("PE?"), "PE=2000");
  EXPECT_EQ(sim.Ask("UD?"), "UD=Line 4");  // identity data are not settings
}

TEST(SimFlashTest, StateFileKeepsAreasAndIdentity) {
  TempFolder folder;
  SimConfig config;
  config.statePath = folder.File("camera.state");
  std::vector<std::string> problems;
  config.log = [&](const std::string& text) { problems.push_back(text); };
  {
    SimBench sim(config);
    EXPECT_EQ(sim.Ask("PE=2000"), "COMPLETE");
    EXPECT_EQ(sim.Ask("SQGA7=800"), "COMPLETE");
    EXPECT_EQ(sim.Ask("LUTSB=9"), "COMPLETE");
    EXPECT_EQ(sim.Ask("BMPXW=3,44"), "COMPLETE");
    EXPECT_EQ(sim.Ask("SA=1"), "COMPLETE");
    EXPECT_EQ(sim.Ask("TI=5"), "COMPLETE");
    EXPECT_EQ(sim.Ask("SA00=0"), "COMPLETE");
    EXPECT_EQ(sim.Ask("UD=Station 2"), "COMPLETE");
    EXPECT_EQ(sim.Ask("ULCK=6183529"), "COMPLETE");
    EXPECT_EQ(sim.Ask("ID=CAM0000042"), "COMPLETE");
    EXPECT_EQ(sim.Ask("XMLVR=321"), "COMPLETE");
    EXPECT_EQ(sim.Ask("DV=2.0.1.9"), "COMPLETE");
    EXPECT_EQ(sim.Ask("MD00=RL-8200T-VLNK"), "COMPLETE");
    EXPECT_EQ(sim.Ask("GMA=60"), "COMPLETE");  // not stored: lost at restart
  }
  EXPECT_FALSE(std::filesystem::exists(config.statePath + ".tmp"));
  SimBench sim(config);
  EXPECT_EQ(sim.Ask("MD?"), "MD=RL-8200T-VLNK");
  EXPECT_EQ(sim.Ask("UD?"), "UD=Station 2");
  EXPECT_EQ(sim.Ask("ID?"), "ID=CAM0000042");
  EXPECT_EQ(sim.Ask("XMLVR?"), "XMLVR=321");
  EXPECT_EQ(sim.Ask("DV?"), "DV=2.0.1.9");
  EXPECT_EQ(sim.Ask("TI?"), "TI=5");  // booted from the factory area
  EXPECT_EQ(sim.Ask("PE?"), "PE=2000");
  EXPECT_EQ(sim.Ask("GMA?"), "GMA=45");
  EXPECT_EQ(sim.Ask("LD=1"), "COMPLETE");
  EXPECT_EQ(sim.Ask("TI?"), "TI=0");
  EXPECT_EQ(sim.Ask("SQGA7?"), "SQGA7=800");
  EXPECT_EQ(sim.Ask("LUTSB?"), "LUTSB=9");
  EXPECT_EQ(sim.Ask("BMPXW?3"), "BMPXW=44");
  EXPECT_TRUE(problems.empty()) << problems.front();

  // An explicit model wins over the stored one.
  SimConfig other = config;
  other.model = "QX-70500M-VLNK";
  SimBench mono(other);
  EXPECT_EQ(mono.Ask("MD?"), "MD=QX-70500M-VLNK");
  EXPECT_EQ(mono.Ask("UD?"), "UD=Station 2");
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
