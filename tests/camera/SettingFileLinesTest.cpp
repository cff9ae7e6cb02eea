// How a line of a setting file is planned: sent, or skipped with the reason a load reports.

#include <gtest/gtest.h>

#include "camera/CameraFixture.h"
#include "camera/CameraModel.h"
#include "camera/SettingFileLines.h"

namespace vistrel {
namespace {

using Kind = LinePlan::Kind;

void SetModel(CameraSession& session, const std::string& name) {
  session.SetModel({ModelCodeFor(name), name});
}

TEST(SettingFileLinesTest, LinesALoadSkipsCarryTheirReason) {
  test::CameraFixture f;
  SetModel(f.session, "RL-4100T-VLNK");
  using namespace std::string_literals;
  const std::pair<std::string, SkipReason> cases[] = {
      {"garbage line", SkipReason::Malformed},
      {"TI?", SkipReason::Malformed},
      {"LUTR=5", SkipReason::Malformed},
      {"LUTR=5,1x", SkipReason::Malformed},
      // Values that are no clean number: no part of them is a value to send.
      {"TI=High", SkipReason::Malformed},
      {"FGA=12abc", SkipReason::Malformed},
      {"PE=", SkipReason::Malformed},
      {"HTL=1e3", SkipReason::Malformed},
      {"FGA=1 2", SkipReason::Malformed},
      {"FGA=1,2", SkipReason::Malformed},
      {"FGA=99999999999", SkipReason::Malformed},
      // Control characters cut or bend a line, whatever it says otherwise.
      {"PE=12\0"
       "34"s,
       SkipReason::Malformed},
      {"TI=\0"
       "1"s,
       SkipReason::Malformed},
      {"TI=\r1", SkipReason::Malformed},
      {"TX=5", SkipReason::UnknownCommand},
      {"FCBDRT=1", SkipReason::FactoryInUserMode},
      {"MD00=RL-8200T-VLNK", SkipReason::FactoryInUserMode},
      {"DV=1.1.1.1", SkipReason::FactoryInUserMode},
      {"SMRW5=4112", SkipReason::NotForModel},
      {"VN=105", SkipReason::NotInFiles},
  };
  for (const auto& [line, reason] : cases) {
    const LinePlan plan = PlanLine(f.session, line);
    EXPECT_EQ(plan.kind, Kind::Skip) << line;
    EXPECT_EQ(plan.reason, reason) << line << ": " << SkipReasonText(plan.reason);
  }
  EXPECT_EQ(PlanLine(f.session, std::string(256, 'A')).reason, SkipReason::Malformed);
  f.session.SetFactoryMode(true);
  EXPECT_EQ(PlanLine(f.session, "FCBDRT=1").kind, Kind::Parameter);
  EXPECT_EQ(PlanLine(f.session, "MD00=").reason, SkipReason::Malformed);
  EXPECT_EQ(PlanLine(f.session, "DV=1.1\x01.1").reason, SkipReason::Malformed);
}

TEST(SettingFileLinesTest, LinesALoadSendsAndLinesWithNothingToSend) {
  test::CameraFixture f;
  EXPECT_EQ(PlanLine(f.session, "").kind, Kind::Blank);
  EXPECT_EQ(PlanLine(f.session, "  ").kind, Kind::Blank);
  EXPECT_EQ(PlanLine(f.session, "=10").kind, Kind::Blank) << "a row without a command name";

  SetModel(f.session, "QX-70500C-VLNK");
  f.session.SetFactoryMode(true);
  LinePlan plan = PlanLine(f.session, "FGA = &H100");
  EXPECT_EQ(plan.kind, Kind::Parameter);
  EXPECT_EQ(plan.value, 256);
  EXPECT_EQ(PlanLine(f.session, "FGA=\t-0\t").kind, Kind::Parameter);
  plan = PlanLine(f.session, "LUTG=12,345");
  EXPECT_EQ(plan.kind, Kind::Pair);
  EXPECT_EQ(plan.index, 12);
  EXPECT_EQ(plan.value, 345);
  EXPECT_EQ(PlanLine(f.session, "MD00=RL-4100T-VLNK").kind, Kind::Model);
  EXPECT_EQ(PlanLine(f.session, "DV=1.2.3.4").text, "1.2.3.4");
}

}  // namespace
}  // namespace vistrel
