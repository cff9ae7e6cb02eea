#include <gtest/gtest.h>

#include <string>

#include "sim/SimData.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

TEST(SimTablesTest, SequencerEntriesCarryTheIndexInTheName) {
  SimBench sim;
  // The index is the camera's own; a reset is taken.
  sim.Holds({"SQIDX=1"});
  sim.Accepts({"SQRST=0"});
  sim.Refuses(kSimErrReadOnly, {"SQIDX=3"});
  sim.Holds({"SQW5=4112"});
  sim.Accepts({"SQW5=1024"});
  sim.Holds({"SQW5=1024", "SQW4=4112"});  // other entries keep theirs
  // Entries beyond the ten named in the command table work the same way.
  sim.Accepts({"SQPE128=500"});
  sim.Holds({"SQPE128=500", "SQNI3=4", "SQNI128=1"});
  sim.Refuses(kSimErrRange, {"SQW0?", "SQW129=1024", "SQW5=95", "SQGA2=1601"});
  // The plain field names are values of their own.
  sim.Holds({"SQW=4112"});
}

TEST(SimTablesTest, LutPointsTakeTheIndexFirst) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("LUTR?12"), "LUTR=192");  // linear at power-on
  EXPECT_EQ(sim.Ask("LUTR?256"), "LUTR=4095");
  sim.Accepts({"LUTR=12,1000"});
  EXPECT_EQ(sim.Ask("LUTG?12"), "LUTG=192");  // each channel has its own
  sim.Holds({"LUTR=1000"});                   // without index: the point last addressed
  sim.Refuses(kSimErrRange, {"LUTR?257", "LUTR=5,4096"});
  sim.Refuses(kSimErrInvalid, {"LUTR=5", "LUTB?x"});
}

TEST(SimTablesTest, ChannelTablesAreWrittenAndReadInARow) {
  SimBench sim;
  sim.Accepts({"LUTSG=4095"});
  // The red table was not touched; its run starts at entry 0 again after other lines.
  sim.Holds({"LUTSR=0", "LUTSR=128", "TI=0", "LUTSR=0"});
  // An interrupted write starts over at entry 0.
  sim.Accepts({"LUTSB=7", "LUTSB=8"});
  sim.Holds({"LUTSG=4095"});
  sim.Accepts({"LUTSB=9"});
  sim.Holds({"LUTSB=9", "LUTSB=8"});
  sim.Refuses(kSimErrRange, {"LUTSB=4096"});
  // Reading past entry 31 wraps to entry 0.
  for (int j = 0; j < 32; ++j)
    sim.camera.Receive("LUTSR?\r\n", sim.now);
  sim.Holds({"LUTSR=0"});
}

TEST(SimTablesTest, BlemishEntriesCountsAndClears) {
  SimBench sim;
  sim.Holds({"BNUMG=0"});
  sim.Accepts({"BMPXWG=5,100"});
  sim.Holds({"BNUMG=0"});  // an entry counts once both coordinates are set
  sim.Accepts({"BMPYWG=5,200", "BMPXWG=6,1", "BMPYWG=6,2"});
  sim.Holds({"BNUMG=2", "BNUM=0"});
  EXPECT_EQ(sim.Ask("BMPYWG?5"), "BMPYWG=200");
  EXPECT_EQ(sim.Ask("BMPXWG?7"), "BMPXWG=-1");
  sim.Accepts({"BMCLRG=5"});
  sim.Holds({"BNUMG=1"});
  sim.Accepts({"BMCLRG=0"});
  sim.Holds({"BNUMG=0"});
  // Limits: 200 green entries, 800 white ones, coordinates within the sensor's table.
  sim.Accepts({"BMPXW=800,2559"});
  sim.Refuses(kSimErrRange, {"BMPXWG=201,1", "BMPXW=1,2560", "BMPYW=1,2048", "BMCLR=801"});
  sim.Refuses(kSimErrReadOnly, {"BNUM=3"});

  SimBench small(ModelConfig("RL-4100T-VLNK"));
  small.Accepts({"BMPXW=1,1455"});
  small.Refuses(kSimErrRange, {"BMPXW=1,1456", "BMPYW=1,1088"});
}

}  // namespace
}  // namespace vistrel::test
