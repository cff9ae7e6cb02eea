#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "core/CommandTable.h"
#include "core/ParameterTable.h"
#include "sim/SimData.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

TEST(SimProtocolTest, QueriesAndSettings) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("MD?"), "MD=QX-70500C-VLNK");
  EXPECT_EQ(sim.Ask("TI?"), "TI=0");
  EXPECT_EQ(sim.Ask("TI=2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("TI?"), "TI=2");
  // Power-on values come from the parameter table where it gives them.
  EXPECT_EQ(sim.Ask("CLCFG?"), "CLCFG=1");
  EXPECT_EQ(sim.Ask("AGCF?"), "AGCF=30");
  EXPECT_EQ(sim.Ask("SBDRT?"), "SBDRT=31");
  // Names are taken in any case, blanks around them are dropped, replies use the table name.
  EXPECT_EQ(sim.Ask(" ti = 3 "), "COMPLETE");
  EXPECT_EQ(sim.Ask("ti?"), "TI=3");
  EXPECT_EQ(sim.Ask("TI=&H1F"), "COMPLETE");
  EXPECT_EQ(sim.Ask("TI?"), "TI=31");
}

TEST(SimProtocolTest, RefusalsNameTheReason) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("NOSUCH?"), kSimErrUnknown);
  EXPECT_EQ(sim.Ask("ETM?"), kSimErrUnsupported);  // an RL-only command on a QX model
  EXPECT_EQ(sim.Ask("PE=0"), kSimErrRange);
  EXPECT_EQ(sim.Ask("PE=8000001"), kSimErrRange);
  EXPECT_EQ(sim.Ask("PE=99999999999"), kSimErrRange);
  EXPECT_EQ(sim.Ask("PE=12x"), kSimErrInvalid);
  EXPECT_EQ(sim.Ask("PE="), kSimErrInvalid);
  EXPECT_EQ(sim.Ask("MD=X"), kSimErrReadOnly);
  EXPECT_EQ(sim.Ask("VN=1"), kSimErrReadOnly);
  EXPECT_EQ(sim.Ask("ATCS=1"), kSimErrReadOnly);
  EXPECT_EQ(sim.Ask("ID=ABC"), kSimErrLocked);
  EXPECT_EQ(sim.Ask("ULCK=1234"), kSimErrWrongCode);
  EXPECT_EQ(sim.Ask("HELLO"), kSimErrMalformed);
  EXPECT_EQ(sim.Ask("=5"), kSimErrMalformed);
  EXPECT_EQ(sim.Ask("T-I?"), kSimErrMalformed);
  EXPECT_EQ(sim.Ask("TI?5"), kSimErrMalformed);
  // A refused setting leaves the value alone.
  EXPECT_EQ(sim.Ask("PE?"), "PE=10000");
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
  EXPECT_EQ(sim.Ask("UD= My Cam 1 "), "COMPLETE");
  EXPECT_EQ(sim.Ask("UD?"), "UD=My Cam 1");
  EXPECT_EQ(sim.Ask("UD=0123456789ABCDEF"), "COMPLETE");
  EXPECT_EQ(sim.Ask("UD=0123456789ABCDEFG"), kSimErrTooLong);
  EXPECT_EQ(sim.Ask("UD="), "COMPLETE");
  EXPECT_EQ(sim.Ask("UD?"), "UD=");
  EXPECT_EQ(sim.Ask(std::string("UD=a\x01") + "b"), kSimErrInvalid);

  EXPECT_EQ(sim.Ask("DV?"), std::string("DV=") + kSimDeviceVersion);
  EXPECT_EQ(sim.Ask("DV=1.2.3.45"), "COMPLETE");
  EXPECT_EQ(sim.Ask("DV?"), "DV=1.2.3.45");
  EXPECT_EQ(sim.Ask("DV=1.2.3"), kSimErrInvalid);
  EXPECT_EQ(sim.Ask("DV=1.2.3.4.5"), kSimErrInvalid);
  EXPECT_EQ(sim.Ask("DV=1..3.4"), kSimErrInvalid);

  EXPECT_EQ(sim.Ask("VN?"), "VN=105");
  EXPECT_EQ(sim.Ask("FPVN?"), "FPVN=210");
  EXPECT_EQ(sim.Ask("XMLVR=7"), "COMPLETE");
  EXPECT_EQ(sim.Ask("XMLVR?"), "XMLVR=7");
  EXPECT_EQ(sim.Ask("XMLVR=1000"), kSimErrRange);
}

TEST(SimProtocolTest, CameraIdOnlyRightAfterTheUnlock) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("ULCK=6183529"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ID=ABCDEFGHIJ"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ID?"), "ID=ABCDEFGHIJ");
  // The unlock covers one line only.
  EXPECT_EQ(sim.Ask("ID=KLMNOPQRST"), kSimErrLocked);
  EXPECT_EQ(sim.Ask("ULCK=6183529"), "COMPLETE");
  EXPECT_EQ(sim.Ask("TI?"), "TI=0");
  EXPECT_EQ(sim.Ask("ID=KLMNOPQRST"), kSimErrLocked);
  EXPECT_EQ(sim.Ask("ULCK=6183529"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ID=ABCDEFGHIJK"), kSimErrTooLong);
  EXPECT_EQ(sim.Ask("ULCK=6183529"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ID=ABCDEFGH"), "COMPLETE");  // fewer than ten characters
  EXPECT_EQ(sim.Ask("ID?"), "ID=ABCDEFGH");
}

TEST(SimProtocolTest, ModelsAnswerTheirOwnCommands) {
  SimBench rl4100(ModelConfig("RL-4100T-VLNK"));
  EXPECT_EQ(rl4100.Ask("ETM?"), "ETM=0");
  EXPECT_EQ(rl4100.Ask("SMRW1?"), "SMRW1=1456");  // list A, sized to this sensor
  EXPECT_EQ(rl4100.Ask("SMRW5?"), kSimErrUnsupported);
  EXPECT_EQ(rl4100.Ask("TD?"), kSimErrUnsupported);
  EXPECT_EQ(rl4100.Ask("WTC?"), "WTC=1456");
  EXPECT_EQ(rl4100.Ask("WTC=1457"), kSimErrRange);
  EXPECT_EQ(rl4100.Ask("HTL?"), "HTL=1088");

  SimBench rl8200(ModelConfig("RL-8200T-VLNK"));
  EXPECT_EQ(rl8200.Ask("ETM?"), "ETM=0");
  EXPECT_EQ(rl8200.Ask("SMRW1?"), kSimErrUnsupported);  // list X
  EXPECT_EQ(rl8200.Ask("SMRMD?"), kSimErrUnsupported);
  EXPECT_EQ(rl8200.Ask("WTC?"), "WTC=2064");

  SimBench mono(ModelConfig("QX-70500M-VLNK"));
  EXPECT_EQ(mono.Ask("TD?"), "TD=0");
  EXPECT_EQ(mono.Ask("SMRW8?"), "SMRW8=4112");
  EXPECT_EQ(mono.Ask("SQPGR1?"), kSimErrUnsupported);
  EXPECT_EQ(mono.Ask("SQPGB10=100"), kSimErrUnsupported);
  EXPECT_EQ(mono.Ask("PGR?"), "PGR=100");
  SimBench colour;
  EXPECT_EQ(colour.Ask("SQPGR1?"), "SQPGR1=100");

  // Every model answers identity, flash, adjustment, table and lens commands.
  for (const char* model : {"RL-4100T-VLNK", "RL-8200T-VLNK", "QX-70500M-VLNK", "QX-70500C-VLNK"}) {
    SimBench sim(ModelConfig(model));
    for (const char* query : {"MD?",   "UD?",    "VN?",     "FPVN?", "XMLVR?", "DV?",   "ID?",
                              "TMP0?", "SBDRT?", "FCBDRT?", "ATCS?", "AWRS?",  "SDRS?", "ALCST?",
                              "BNUM?", "LUTR?0", "LUTSG?",  "SQW3?", "MLZ?",   "LD?",   "SQIDX?"})
      EXPECT_EQ(sim.Ask(query).rfind("Error", 0), std::string::npos) << model << " " << query;
  }
}

// The program reads every row its lists name for the model (and every readable row for any
// other model); none of those queries may be refused, or the operator sees a message per row.
TEST(SimProtocolTest, EveryRowTheProgramReadsIsAnswered) {
  struct Case {
    const char* model;
    std::span<const char* const> names;
  };
  for (const Case& c : {Case{"RL-4100T-VLNK", SimListA()}, Case{"RL-8200T-VLNK", SimListA()},
                        Case{"QX-70500M-VLNK", SimListB()}, Case{"QX-70500C-VLNK", SimListB()}}) {
    SimBench sim(ModelConfig(c.model));
    for (const char* name : c.names) {
      const bool leftOut = std::string_view(c.model) == "RL-8200T-VLNK" &&
                           std::find_if(SimListX().begin(), SimListX().end(), [&](const char* x) {
                             return std::string_view(x) == name;
                           }) != SimListX().end();
      if (!leftOut) {
        EXPECT_EQ(sim.Ask(std::string(name) + "?").rfind(std::string(name) + "=", 0), 0u)
            << c.model << " " << name;
      }
    }
  }
  SimBench other(ModelConfig("Another camera"));
  for (const ParameterEntry& row : InitialParameterRows()) {
    const std::string name(CommandTable::Name(row.commandId));
    if (name.empty() || row.kind == ControlKind::Action || name == "BMPXW" || name == "BMPYW")
      continue;
    EXPECT_EQ(other.Ask(name + "?").rfind(name + "=", 0), 0u) << name;
  }
}

TEST(SimProtocolTest, ModelIdRewritesTheModel) {
  SimBench sim(ModelConfig("RL-4100T-VLNK"));
  EXPECT_EQ(sim.Ask("SMRW1?"), "SMRW1=1456");
  EXPECT_EQ(sim.Ask("MD00=RL-8200T-VLNK"), "COMPLETE");
  EXPECT_EQ(sim.Ask("MD?"), "MD=RL-8200T-VLNK");
  EXPECT_EQ(sim.Ask("MD00?"), "MD00=RL-8200T-VLNK");
  EXPECT_EQ(sim.Ask("SMRW1?"), kSimErrUnsupported);
  EXPECT_EQ(sim.Ask("MD00="), kSimErrInvalid);
  EXPECT_EQ(sim.Ask("MD00=" + std::string(25, 'X')), kSimErrTooLong);
}

TEST(SimProtocolTest, SerialRateSelection) {
  SimConfig config;
  config.rateMask = 63;
  SimBench sim(config);
  EXPECT_EQ(sim.Ask("SBDRT?"), "SBDRT=63");
  EXPECT_EQ(sim.Ask("FCBDRT?"), "FCBDRT=1");
  EXPECT_EQ(sim.Ask("FCBDRT=32"), "COMPLETE");
  EXPECT_EQ(sim.Ask("FCBDRT=64"), kSimErrRange);  // not supported by this camera
  EXPECT_EQ(sim.Ask("FCBDRT=3"), kSimErrRange);   // not a single rate
  EXPECT_EQ(sim.Ask("FCBDRT?"), "FCBDRT=32");
}

TEST(SimProtocolTest, MotorLensAndVideoMode) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("MLZ=2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("MLZ?"), "MLZ=2");
  EXPECT_EQ(sim.Ask("MLZ=0"), "COMPLETE");
  EXPECT_EQ(sim.Ask("MLI=3"), kSimErrRange);
  EXPECT_EQ(sim.Ask("VSM=1"), "COMPLETE");
  EXPECT_EQ(sim.Ask("VSM?"), "VSM=1");
  EXPECT_EQ(sim.Ask("SMRMD=1"), "COMPLETE");
  EXPECT_EQ(sim.Ask("VSM?"), "VSM=4");
  EXPECT_EQ(sim.Ask("SMRMD=0"), "COMPLETE");
  EXPECT_EQ(sim.Ask("VSM?"), "VSM=1");
}

}  // namespace
}  // namespace vistrel::test
