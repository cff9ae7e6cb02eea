#include <gtest/gtest.h>

#include <string>

#include "sim/SimData.h"
#include "tests/sim/SimTestSupport.h"

namespace vistrel::test {
namespace {

using std::chrono::milliseconds;

SimConfig RunsOf(int ms) {
  SimConfig config;
  config.adjustTime = milliseconds(ms);
  return config;
}

// Polls once a second as the program does; returns the statuses seen.
std::vector<std::string> Poll(SimBench& sim, const std::string& query, int polls) {
  std::vector<std::string> seen;
  for (int i = 0; i < polls; ++i) {
    sim.Wait(milliseconds(1000));
    seen.push_back(sim.Ask(query));
  }
  return seen;
}

TEST(SimAdjustTest, ExposureOnceIsBusyThenConvergesAndChangesTheExposure) {
  SimBench sim(RunsOf(2500));
  EXPECT_EQ(sim.Ask("ATCS?"), "ATCS=255");  // idle before any run
  EXPECT_EQ(sim.Ask("ASC=2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ASC?"), "ASC=2");
  EXPECT_EQ(Poll(sim, "ATCS?", 3), (std::vector<std::string>{"ATCS=4", "ATCS=4", "ATCS=8"}));
  EXPECT_EQ(sim.Ask("PE?"), "PE=15000");
  EXPECT_EQ(sim.Ask("ASC?"), "ASC=0");  // a one-shot run falls back to off
  EXPECT_EQ(sim.Ask("ATCS?"), "ATCS=8");
}

TEST(SimAdjustTest, GainOnceChangesTheGain) {
  SimBench sim(RunsOf(1500));
  EXPECT_EQ(sim.Ask("PE=5000"), "COMPLETE");
  EXPECT_EQ(sim.Ask("AGC=2"), "COMPLETE");
  EXPECT_EQ(Poll(sim, "ATCS?", 2), (std::vector<std::string>{"ATCS=4", "ATCS=8"}));
  EXPECT_EQ(sim.Ask("FGA?"), "FGA=300");
  EXPECT_EQ(sim.Ask("AGC?"), "AGC=0");
  // The automatic limits bound the result.
  EXPECT_EQ(sim.Ask("PE=100"), "COMPLETE");
  EXPECT_EQ(sim.Ask("AGCGA=800"), "COMPLETE");
  EXPECT_EQ(sim.Ask("AGC=2"), "COMPLETE");
  sim.Wait(milliseconds(1500));
  EXPECT_EQ(sim.Ask("FGA?"), "FGA=800");
}

TEST(SimAdjustTest, RunsThatCannotWorkEndAtOnce) {
  SimBench sim(RunsOf(2500));
  EXPECT_EQ(sim.Ask("TM=1"), "COMPLETE");  // triggered: no exposure run
  EXPECT_EQ(sim.Ask("ASC=2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ATCS?"), "ATCS=9");
  EXPECT_EQ(sim.Ask("ASC?"), "ASC=0");
  EXPECT_EQ(sim.Ask("PE?"), "PE=10000");

  SimBench mono(ModelConfig("QX-70500M-VLNK"));
  EXPECT_EQ(mono.Ask("AWB=2"), "COMPLETE");
  EXPECT_EQ(mono.Ask("AWRS?"), "AWRS=9");
}

TEST(SimAdjustTest, WhiteBalanceOnceAndPresets) {
  SimBench sim(RunsOf(1200));
  EXPECT_EQ(sim.Ask("AWRS?"), "AWRS=255");
  EXPECT_EQ(sim.Ask("AWB=2"), "COMPLETE");
  EXPECT_EQ(Poll(sim, "AWRS?", 2), (std::vector<std::string>{"AWRS=4", "AWRS=0"}));
  EXPECT_EQ(sim.Ask("PGR?"), "PGR=148");
  EXPECT_EQ(sim.Ask("PGB?"), "PGB=121");
  EXPECT_EQ(sim.Ask("AWB?"), "AWB=0");

  EXPECT_EQ(sim.Ask("AWB=5"), "COMPLETE");
  EXPECT_EQ(sim.Ask("AWRS?"), "AWRS=0");
  EXPECT_EQ(sim.Ask("PGR?"), "PGR=96");
  EXPECT_EQ(sim.Ask("PGB?"), "PGB=231");
  EXPECT_EQ(sim.Ask("AWB?"), "AWB=5");
  EXPECT_EQ(sim.Ask("AWB=9"), kSimErrRange);
}

TEST(SimAdjustTest, ShadingLevelControlAndTemperature) {
  SimBench sim;
  EXPECT_EQ(sim.Ask("SDRS?"), "SDRS=255");
  EXPECT_EQ(sim.Ask("RS=0"), "COMPLETE");
  EXPECT_EQ(sim.Ask("SDRS?"), "SDRS=0");

  EXPECT_EQ(sim.Ask("ALCST?"), "ALCST=0");
  EXPECT_EQ(sim.Ask("ASC=1"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ALCST?"), "ALCST=2");
  EXPECT_EQ(sim.Ask("AGC=1"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ALCST?"), "ALCST=1");
  EXPECT_EQ(sim.Ask("ASC=0"), "COMPLETE");
  EXPECT_EQ(sim.Ask("ALCST?"), "ALCST=3");
  EXPECT_EQ(sim.Ask("ALCST=1"), kSimErrReadOnly);

  // 1/128 degree: 30 degrees at power-on, warming towards 42.
  EXPECT_EQ(sim.Ask("TMP0?"), "TMP0=3840");
  sim.Wait(milliseconds(3'600'000));
  EXPECT_EQ(sim.Ask("TMP0?"), "TMP0=5376");
}

TEST(SimAdjustTest, ALoadEndsARunningAdjustment) {
  SimBench sim(RunsOf(2000));
  EXPECT_EQ(sim.Ask("ASC=2"), "COMPLETE");
  EXPECT_EQ(sim.Ask("LD=1"), "COMPLETE");
  sim.Wait(milliseconds(3000));
  EXPECT_EQ(sim.Ask("PE?"), "PE=10000");
  EXPECT_EQ(sim.Ask("ATCS?"), "ATCS=255");  // final, so a polling program stops
}

TEST(SimAdjustTest, ScriptedStatusesComeFirstThenTheRunsOwn) {
  SimConfig config = RunsOf(1000);
  config.statusScript = {4, 7, 0};
  SimBench sim(config);
  EXPECT_EQ(sim.Ask("ATCS?"), "ATCS=4");
  EXPECT_EQ(sim.Ask("AWRS?"), "AWRS=7");  // one script for every run status
  EXPECT_EQ(sim.Ask("SDRS?"), "SDRS=0");
  EXPECT_EQ(sim.Ask("ATCS?"), "ATCS=255");
}

}  // namespace
}  // namespace vistrel::test
