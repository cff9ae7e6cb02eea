#include <gtest/gtest.h>

#include <string>

#include "sim/SimData.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

TEST(SimTablesTest, SequencerEntriesCarryTheIndexInTheName) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("SQW5?"), "SQW5=4112");
  EXPECT_EQ(sim.Ask("SQW5=1024"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SQW5?"), "SQW5=1024");
  EXPECT_EQ(sim.Ask("SQW4?"), "SQW4=4112");  // other entries keep theirs
  // Entries beyond the ten named in the command table work the same way.
  EXPECT_EQ(sim.Ask("SQPE128=500"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SQPE128?"), "SQPE128=500");
  EXPECT_EQ(sim.Ask("SQNI3?"), "SQNI3=4");
  EXPECT_EQ(sim.Ask("SQNI128?"), "SQNI128=1");
  EXPECT_EQ(sim.Ask("SQW0?"), kSimErrRange);
  EXPECT_EQ(sim.Ask("SQW129=1024"), kSimErrRange);
  EXPECT_EQ(sim.Ask("SQW5=95"), kSimErrRange);
  EXPECT_EQ(sim.Ask("SQGA2=1601"), kSimErrRange);
  // The plain field names are values of their own.
  EXPECT_EQ(sim.Ask("SQW?"), "SQW=4112");
  // The write order of the program: every field of entry 3, then read back.
  const char* fields[] = {"SQF",  "SQNI", "SQW",  "SQH",   "SQOX",
                          "SQOY", "SQGA", "SQPE", "SQLUT", "SQBL"};
  const int values[] = {2, 7, 2048, 1500, 64, 32, 400, 20000, 1, -10};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(sim.Ask(std::string(fields[i]) + "3=" + std::to_string(values[i])), "COMPLETE");
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(sim.Ask(std::string(fields[i]) + "3?"),
              std::string(fields[i]) + "3=" + std::to_string(values[i]));
}

TEST(SimTablesTest, SequencerIndexAndReset) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("SQIDX?"), "SQIDX=1");
  EXPECT_EQ(sim.Ask("SQRST=0"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SQIDX=3"), kSimErrReadOnly);
}

TEST(SimTablesTest, LutPointsTakeTheIndexFirst) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("LUTR?12"), "LUTR=192");  // linear at power-on
  EXPECT_EQ(sim.Ask("LUTR?256"), "LUTR=4095");
  EXPECT_EQ(sim.Ask("LUTR=12,1000"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LUTR?12"), "LUTR=1000");
  EXPECT_EQ(sim.Ask("LUTG?12"), "LUTG=192");  // each channel has its own
  EXPECT_EQ(sim.Ask("LUTR?"), "LUTR=1000");   // without index: the point last addressed
  EXPECT_EQ(sim.Ask("LUTR?257"), kSimErrRange);
  EXPECT_EQ(sim.Ask("LUTR=5,4096"), kSimErrRange);
  EXPECT_EQ(sim.Ask("LUTR=5"), kSimErrInvalid);
  EXPECT_EQ(sim.Ask("LUTB?x"), kSimErrInvalid);
}

TEST(SimTablesTest, ChannelTablesAreWrittenAndReadInARow) {
  SimBench sim;
  for (int j = 0; j < 32; ++j)
    ASSERT_EQ(sim.Ask("LUTSG=" + std::to_string(4095 - j)), "COMPLETE");
  for (int j = 0; j < 32; ++j)
    EXPECT_EQ(sim.Ask("LUTSG?"), "LUTSG=" + std::to_string(4095 - j)) << j;
  // The red table was not touched; its run starts at entry 0 again after other lines.
  EXPECT_EQ(sim.Ask("LUTSR?"), "LUTSR=0");
  EXPECT_EQ(sim.Ask("LUTSR?"), "LUTSR=128");
  EXPECT_EQ(sim.Ask("TI?"), "TI=0");
  EXPECT_EQ(sim.Ask("LUTSR?"), "LUTSR=0");
  // An interrupted write starts over at entry 0.
  EXPECT_EQ(sim.Ask("LUTSB=7"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LUTSB=8"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LUTSG?"), "LUTSG=4095");
  EXPECT_EQ(sim.Ask("LUTSB=9"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LUTSB?"), "LUTSB=9");
  EXPECT_EQ(sim.Ask("LUTSB?"), "LUTSB=8");
  EXPECT_EQ(sim.Ask("LUTSB=4096"), kSimErrRange);
  // Reading past entry 31 wraps to entry 0.
  for (int j = 0; j < 32; ++j)
    sim.camera.Receive("LUTSR?\r\n", sim.now);
  EXPECT_EQ(sim.Ask("LUTSR?"), "LUTSR=0");
}

TEST(SimTablesTest, BlemishEntriesCountsAndClears) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("BNUMG?"), "BNUMG=0");
  EXPECT_EQ(sim.Ask("BMPXWG=5,100"), "COMPLETE");
  EXPECT_EQ(sim.Ask("BNUMG?"), "BNUMG=0");  // an entry counts once both coordinates are set
  EXPECT_EQ(sim.Ask("BMPYWG=5,200"), "COMPLETE");
  EXPECT_EQ(sim.Ask("BMPXWG=6,1"), "COMPLETE");
  EXPECT_EQ(sim.Ask("BMPYWG=6,2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("BNUMG?"), "BNUMG=2");
  EXPECT_EQ(sim.Ask("BNUM?"), "BNUM=0");
  EXPECT_EQ(sim.Ask("BMPXWG?5"), "BMPXWG=100");
  EXPECT_EQ(sim.Ask("BMPYWG?5"), "BMPYWG=200");
  EXPECT_EQ(sim.Ask("BMPXWG?7"), "BMPXWG=-1");
  EXPECT_EQ(sim.Ask("BMCLRG=5"), "COMPLETE");
  EXPECT_EQ(sim.Ask("BMPXWG?5"), "BMPXWG=-1");
  EXPECT_EQ(sim.Ask("BNUMG?"), "BNUMG=1");
  EXPECT_EQ(sim.Ask("BMCLRG=0"), "COMPLETE");
  EXPECT_EQ(sim.Ask("BNUMG?"), "BNUMG=0");
  // Limits: 200 green entries, 800 white ones, coordinates within the sensor's table.
  EXPECT_EQ(sim.Ask("BMPXWG=201,1"), kSimErrRange);
  EXPECT_EQ(sim.Ask("BMPXW=800,2559"), "COMPLETE");
  EXPECT_EQ(sim.Ask("BMPXW=1,2560"), kSimErrRange);
  EXPECT_EQ(sim.Ask("BMPYW=1,2048"), kSimErrRange);
  EXPECT_EQ(sim.Ask("BMCLR=801"), kSimErrRange);
  EXPECT_EQ(sim.Ask("BNUM=3"), kSimErrReadOnly);

  SimBench small(ModelConfig("RL-4100T-VLNK"));
  EXPECT_EQ(small.Ask("BMPXW=1,1455"), "COMPLETE");
  EXPECT_EQ(small.Ask("BMPXW=1,1456"), kSimErrRange);
  EXPECT_EQ(small.Ask("BMPYW=1,1088"), kSimErrRange);
}

}  // namespace
}  // namespace vistrel::test
