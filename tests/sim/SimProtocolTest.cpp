#include <gtest/gtest.h>

#include "sim/SimData.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

TEST(SimProtocolTest, QueriesAndSettings) {
  SimBench sim;
  // Power-on values come from the parameter table where it gives them.
  sim.Holds({"TI=0", "CLCFG=1", "AGCF=30", "SBDRT=31"});
  // Names are taken in any case, blanks around them are dropped, replies use the table name.
  sim.Accepts({" ti = 3 "});
  EXPECT_EQ(sim.Ask("ti?"), "TI=3");
  sim.Accepts({"TI=&H1F"});
  sim.Holds({"TI=31"});
}

TEST(SimProtocolTest, RefusalsNameTheReason) {
  SimBench sim;
  sim.Refuses(kSimErrUnknown, {"NOSUCH?"});
  sim.Refuses(kSimErrUnsupported, {"ETM?"});  // an RL-only command on a QX model
  sim.Refuses(kSimErrRange, {"PE=0", "PE=8000001", "PE=99999999999"});
  sim.Refuses(kSimErrInvalid, {"PE=12x", "PE="});
  sim.Refuses(kSimErrReadOnly, {"MD=X", "VN=1", "ATCS=1"});
  sim.Refuses(kSimErrLocked, {"ID=ABC"});
  sim.Refuses(kSimErrWrongCode, {"ULCK=1234"});
  sim.Refuses(kSimErrMalformed, {"HELLO", "=5", "T-I?", "TI?5"});
  // A refused setting leaves the value alone.
  sim.Holds({"PE=10000"});
  // The program shows these texts whole only up to 32 characters.
  for (const char* text :
       {kSimErrUnknown, kSimErrUnsupported, kSimErrRange, kSimErrInvalid, kSimErrTooLong,
        kSimErrReadOnly, kSimErrLocked, kSimErrWrongCode, kSimErrMalformed})
    EXPECT_LE(std::string_view(text).size(), 32u) << text;
}

TEST(SimProtocolTest, LineAssembly) {
  SimBench sim;
  // A line may arrive in pieces and several lines in one piece; CR is optional.
  EXPECT_EQ(sim.camera.Receive("T", sim.now), "");
  EXPECT_EQ(sim.camera.Receive("I=", sim.now), "");
  EXPECT_EQ(sim.camera.Receive("4\r", sim.now), "");
  EXPECT_EQ(sim.camera.Receive("\nTI?\nMD?\r\n", sim.now),
            "COMPLETE\r\nTI=4\r\nMD=QX-70500C-VLNK\r\n");
  // An empty line is ignored.
  EXPECT_EQ(sim.camera.Receive("\r\n\n", sim.now), "");
  // An overlong line is refused once, and the next line is served normally.
  EXPECT_EQ(sim.camera.Receive(std::string(5000, 'A') + "\r\nTI?\r\n", sim.now),
            std::string(kSimErrMalformed) + "\r\nTI=4\r\n");
}

TEST(SimProtocolTest, TextValues) {
  SimBench sim;
  sim.Accepts({"UD= My Cam 1 "});
  sim.Holds({"UD=My Cam 1"});
  sim.Accepts({"UD=0123456789ABCDEF"});
  sim.Refuses(kSimErrTooLong, {"UD=0123456789ABCDEFG"});
  EXPECT_EQ(sim.Ask(std::string("UD=a\x01") + "b"), kSimErrInvalid);

  EXPECT_EQ(sim.Ask("DV?"), std::string("DV=") + kSimDeviceVersion);
  sim.Accepts({"DV=1.2.3.45"});
  sim.Holds({"DV=1.2.3.45"});
  sim.Refuses(kSimErrInvalid, {"DV=1.2.3", "DV=1.2.3.4.5", "DV=1..3.4"});

  sim.Holds({"FPVN=210"});
  sim.Refuses(kSimErrRange, {"XMLVR=1000"});
}

TEST(SimProtocolTest, CameraIdOnlyRightAfterTheUnlock) {
  SimBench sim;
  sim.Accepts({"ULCK=6183529", "ID=ABCDEFGHIJ"});
  // The unlock covers one line only.
  sim.Refuses(kSimErrLocked, {"ID=KLMNOPQRST"});
  sim.Accepts({"ULCK=6183529"});
  sim.Holds({"TI=0"});
  sim.Refuses(kSimErrLocked, {"ID=KLMNOPQRST"});
  sim.Accepts({"ULCK=6183529"});
  sim.Refuses(kSimErrTooLong, {"ID=ABCDEFGHIJK"});
  sim.Accepts({"ULCK=6183529", "ID=ABCDEFGH"});  // fewer than ten characters
  sim.Holds({"ID=ABCDEFGH"});
}

TEST(SimProtocolTest, ModelsAnswerTheirOwnCommands) {
  SimBench rl4100(ModelConfig("RL-4100T-VLNK"));
  rl4100.Holds({"ETM=0", "SMRW1=1456", "WTC=1456", "HTL=1088"});  // list A, sized to the sensor
  rl4100.Refuses(kSimErrUnsupported, {"SMRW5?", "TD?"});
  rl4100.Refuses(kSimErrRange, {"WTC=1457"});

  SimBench rl8200(ModelConfig("RL-8200T-VLNK"));
  rl8200.Holds({"ETM=0", "WTC=2064"});
  rl8200.Refuses(kSimErrUnsupported, {"SMRW1?", "SMRMD?"});  // list X

  SimBench mono(ModelConfig("QX-70500M-VLNK"));
  mono.Holds({"TD=0", "SMRW8=4112", "PGR=100"});
  mono.Refuses(kSimErrUnsupported, {"SQPGR1?", "SQPGB10=100"});
  SimBench colour;
  colour.Holds({"SQPGR1=100"});

  // Every model answers identity, flash, adjustment, table and lens commands.
  for (const char* model : {"RL-4100T-VLNK", "RL-8200T-VLNK", "QX-70500M-VLNK", "QX-70500C-VLNK"}) {
    SimBench sim(ModelConfig(model));
    for (const char* query : {"MD?",   "UD?",    "VN?",     "FPVN?", "XMLVR?", "DV?",   "ID?",
                              "TMP0?", "SBDRT?", "FCBDRT?", "ATCS?", "AWRS?",  "SDRS?", "ALCST?",
                              "BNUM?", "LUTR?0", "LUTSG?",  "SQW3?", "MLZ?",   "LD?",   "SQIDX?"})
      EXPECT_EQ(sim.Ask(query).rfind("Error", 0), std::string::npos) << model << " " << query;
  }
}

TEST(SimProtocolTest, ModelIdRewritesTheModel) {
  SimBench sim(ModelConfig("RL-4100T-VLNK"));
  sim.Accepts({"MD00=RL-8200T-VLNK"});
  sim.Holds({"MD=RL-8200T-VLNK", "MD00=RL-8200T-VLNK"});
  sim.Refuses(kSimErrUnsupported, {"SMRW1?"});
  sim.Refuses(kSimErrInvalid, {"MD00="});
  EXPECT_EQ(sim.Ask("MD00=" + std::string(25, 'X')), kSimErrTooLong);
}

TEST(SimProtocolTest, SerialRateSelection) {
  SimConfig config;
  config.rateMask = 63;
  SimBench sim(config);
  sim.Holds({"SBDRT=63", "FCBDRT=1"});
  sim.Accepts({"FCBDRT=32"});
  // 64: not supported by this camera; 3: not a single rate.
  sim.Refuses(kSimErrRange, {"FCBDRT=64", "FCBDRT=3"});
}

TEST(SimProtocolTest, MotorLensAndVideoMode) {
  SimBench sim;
  sim.Accepts({"MLZ=2"});
  sim.Holds({"MLZ=2"});
  sim.Accepts({"MLZ=0"});
  sim.Refuses(kSimErrRange, {"MLI=3"});
  sim.Accepts({"VSM=1"});
  sim.Holds({"VSM=1"});
  sim.Accepts({"SMRMD=1"});
  sim.Accepts({"SMRMD=0"});
  sim.Holds({"VSM=1"});
}

}  // namespace
}  // namespace vistrel::test
