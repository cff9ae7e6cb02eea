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
  sim.Holds({"ATCS=255"});  // idle before any run
  sim.Accepts({"ASC=2"});
  sim.Holds({"ASC=2"});
  EXPECT_EQ(Poll(sim, "ATCS?", 3), (std::vector<std::string>{"ATCS=4", "ATCS=4", "ATCS=8"}));
  sim.Holds({"PE=15000", "ASC=0", "ATCS=8"});  // a one-shot run falls back to off
}

TEST(SimAdjustTest, GainOnceChangesTheGain) {
  SimBench sim(RunsOf(1500));
  sim.Accepts({"PE=5000", "AGC=2"});
  EXPECT_EQ(Poll(sim, "ATCS?", 2), (std::vector<std::string>{"ATCS=4", "ATCS=8"}));
  sim.Holds({"FGA=300", "AGC=0"});
  // The automatic limits bound the result.
  sim.Accepts({"PE=100", "AGCGA=800", "AGC=2"});
  sim.Wait(milliseconds(1500));
  sim.Holds({"FGA=800"});
}

TEST(SimAdjustTest, RunsThatCannotWorkEndAtOnceAndALoadEndsARunningOne) {
  SimBench sim(RunsOf(2500));
  sim.Accepts({"TM=1", "ASC=2"});  // triggered: no exposure run
  sim.Holds({"ATCS=9", "ASC=0", "PE=10000"});

  SimBench mono(ModelConfig("QX-70500M-VLNK"));
  mono.Accepts({"AWB=2"});
  mono.Holds({"AWRS=9"});

  // A load ends a running adjustment.
  SimBench loaded(RunsOf(2000));
  loaded.Accepts({"ASC=2", "LD=1"});
  loaded.Wait(milliseconds(3000));
  loaded.Holds({"PE=10000", "ATCS=255"});  // final, so a polling program stops
}

TEST(SimAdjustTest, WhiteBalanceOnceAndPresets) {
  SimBench sim(RunsOf(1200));
  sim.Holds({"AWRS=255"});
  sim.Accepts({"AWB=2"});
  EXPECT_EQ(Poll(sim, "AWRS?", 2), (std::vector<std::string>{"AWRS=4", "AWRS=0"}));
  sim.Holds({"PGR=148", "PGB=121", "AWB=0"});

  sim.Accepts({"AWB=5"});
  sim.Holds({"AWRS=0", "PGR=96", "PGB=231", "AWB=5"});
  sim.Refuses(kSimErrRange, {"AWB=9"});
}

TEST(SimAdjustTest, ShadingLevelControlAndTemperature) {
  SimBench sim;
  sim.Holds({"SDRS=255"});
  sim.Accepts({"RS=0"});
  sim.Holds({"SDRS=0", "ALCST=0"});
  sim.Accepts({"ASC=1"});
  sim.Holds({"ALCST=2"});
  sim.Accepts({"AGC=1"});
  sim.Holds({"ALCST=1"});
  sim.Accepts({"ASC=0"});
  sim.Holds({"ALCST=3"});
  sim.Refuses(kSimErrReadOnly, {"ALCST=1"});

  // 1/128 degree: 30 degrees at power-on, warming towards 42.
  sim.Holds({"TMP0=3840"});
  sim.Wait(milliseconds(3'600'000));
  sim.Holds({"TMP0=5376"});
}

TEST(SimAdjustTest, ScriptedStatusesComeFirstThenTheRunsOwn) {
  SimConfig config = RunsOf(1000);
  config.statusScript = {4, 7, 0};
  SimBench sim(config);
  sim.Holds({"ATCS=4", "AWRS=7", "SDRS=0", "ATCS=255"});  // one script for every run status
}

}  // namespace
}  // namespace vistrel::test
