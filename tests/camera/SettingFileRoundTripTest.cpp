// The whole setting file round trip on the simulated camera: random values the camera accepts
// go into a camera, a file is saved, a camera of the same model at its power-on settings loads
// it, and a read-all gives back every value the file carries.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "camera/CameraFixture.h"
#include "camera/ReadAll.h"
#include "camera/SettingFile.h"
#include "core/Clock.h"
#include "core/CommandIds.h"
#include "core/CommandTable.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

using test::CameraFixture;

constexpr const char* kModels[] = {"RL-4100T-VLNK", "RL-8200T-VLNK", "QX-70500M-VLNK",
                                   "QX-70500C-VLNK"};
constexpr int kRoundsPerCase = 2;
constexpr uint32_t kDefaultSeed = 20261207;
// Another base seed for a run that explores further: VISTREL_ROUNDTRIP_SEED=<number>.
constexpr const char* kSeedVariable = "VISTREL_ROUNDTRIP_SEED";

// Values a command without a range is given: mostly small ones, as its choices use, and now
// and then the ends of the 32-bit range, which the camera takes as well.
constexpr int32_t kOpenRangeTop = 255;
constexpr int kEdgeOneIn = 8;

// Values that start a one-shot run instead of setting a mode; a file holds modes.
struct OneShotValue {
  SimBehaviour behaviour;
  int32_t value;
};
constexpr OneShotValue kOneShotValues[] = {
    {SimBehaviour::ExposureAuto, 2},
    {SimBehaviour::GainAuto, 2},
    {SimBehaviour::WhiteAuto, 2},
    {SimBehaviour::WhiteAuto, 4},
};

uint32_t BaseSeed() {
  const char* text = std::getenv(kSeedVariable);
  return text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : kDefaultSeed;
}

bool IsOneShot(const SimCommandSpec& spec, int32_t value) {
  for (const OneShotValue& entry : kOneShotValues) {
    if (entry.behaviour == spec.behaviour && entry.value == value)
      return true;
  }
  return false;
}

int32_t PickInRange(int64_t low, int64_t high, std::mt19937& rng) {
  const int pick = std::uniform_int_distribution<int>(0, kEdgeOneIn - 1)(rng);
  if (pick == 0)
    return static_cast<int32_t>(low);
  if (pick == 1)
    return static_cast<int32_t>(high);
  return static_cast<int32_t>(std::uniform_int_distribution<int64_t>(low, high)(rng));
}

int32_t PickRate(uint32_t rateMask, std::mt19937& rng) {
  std::vector<int32_t> bits;
  for (uint32_t bit = 1; bit != 0 && bit <= rateMask; bit <<= 1) {
    if (rateMask & bit)
      bits.push_back(static_cast<int32_t>(bit));
  }
  return bits[std::uniform_int_distribution<size_t>(0, bits.size() - 1)(rng)];
}

// A value the camera accepts as a setting of the command.
int32_t RandomSetting(const SimCommandSpec& spec, uint32_t rateMask, std::mt19937& rng) {
  if (spec.behaviour == SimBehaviour::RateSelect)
    return PickRate(rateMask, rng);
  const bool open = spec.minimum == kSimNoMinimum && spec.maximum == kSimNoMaximum;
  for (;;) {
    int32_t value = 0;
    if (open) {
      const int pick = std::uniform_int_distribution<int>(0, 2 * kEdgeOneIn - 1)(rng);
      value = pick == 0   ? std::numeric_limits<int32_t>::min()
              : pick == 1 ? std::numeric_limits<int32_t>::max()
                          : PickInRange(0, kOpenRangeTop, rng);
    } else {
      value = PickInRange(spec.minimum, spec.maximum, rng);
    }
    if (!IsOneShot(spec, value))
      return value;
  }
}

// The command's row the read-all fills: the first one it reads.
struct ReadCommand {
  int commandId;
  bool inFile;
  bool factory;
};

std::vector<ReadCommand> CommandsRead(CameraFixture& f) {
  std::vector<ReadCommand> commands;
  for (int i = 0; i < f.table.RowCount(); ++i) {
    const ParameterEntry& row = f.table.Row(i);
    if (!IsRowReadForModel(f.session, i) || CommandTable::Name(row.commandId).empty())
      continue;
    bool seen = false;
    for (const ReadCommand& c : commands)
      seen = seen || c.commandId == row.commandId;
    if (!seen)
      commands.push_back({row.commandId, row.inFile == 1, row.paramClass == ParamClass::Factory});
  }
  return commands;
}

// Puts a random setting into the camera for every command the read-all reads; returns what the
// camera then holds (a setting may change another one, as a white balance preset sets gains).
std::map<int, int32_t> PutRandomSettings(CameraFixture& f, const std::vector<ReadCommand>& read,
                                         uint32_t rateMask, std::mt19937& rng) {
  for (const ReadCommand& c : read) {
    const SimCommandSpec spec =
        f.channel.peer.With([&](SimCamera& camera) { return camera.Model().Spec(c.commandId); });
    const std::string line = std::string(CommandTable::Name(c.commandId)) + "=" +
                             std::to_string(RandomSetting(spec, rateMask, rng));
    EXPECT_EQ(f.channel.peer.Exchange(line + "\r\n"), "COMPLETE\r\n") << line;
  }
  std::map<int, int32_t> held;
  for (const ReadCommand& c : read) {
    held[c.commandId] = f.channel.peer.With(
        [&](SimCamera& camera) { return *camera.Value(CommandTable::Name(c.commandId)); });
  }
  return held;
}

// Whether the read value of a command can come back from a file of the variant.
bool FileCarries(const ReadCommand& c, SettingFileVariant variant,
                 const std::map<int, int32_t>& held) {
  // Rows without the in-file flag (line sources, the Camera Link configuration, the LUT and
  // gamma choices, the video mode, ...) are not written to files at all.
  if (!c.inFile)
    return false;
  if (variant == SettingFileVariant::ShippingData)
    return !c.factory;  // shipping files never carry factory parameters
  // With the exposure mode off, "All Data" leaves the trigger mode out; the file's fixed TM=0
  // line stands for it.
  return !(c.commandId == cmd::TM && held.at(cmd::EM) == 0);
}

// Expects every row bound to a command the file carries to hold the value put into the first
// camera; returns how many commands were compared.
int ExpectCarriedValues(CameraFixture& target, const std::vector<ReadCommand>& read,
                        SettingFileVariant variant, const std::map<int, int32_t>& held,
                        const char* stage) {
  int compared = 0;
  for (const ReadCommand& c : read) {
    if (!FileCarries(c, variant, held))
      continue;
    ++compared;
    for (int i = 0; i < target.table.RowCount(); ++i) {
      const ParameterEntry& row = target.table.Row(i);
      if (row.commandId != c.commandId)
        continue;
      EXPECT_EQ(row.value, held.at(c.commandId))
          << CommandTable::Name(c.commandId) << " (control " << row.ctrlId << ") " << stage;
    }
  }
  return compared;
}

void RunRound(const char* model, bool factory, SettingFileVariant variant, uint32_t seed,
              const std::string& path) {
  SCOPED_TRACE(std::string(model) + (factory ? " factory" : " user") + " mode, " +
               (variant == SettingFileVariant::AllData ? "All Data" : "Shipping Data") + ", seed " +
               std::to_string(seed) + " (" + kSeedVariable + ")");
  std::mt19937 rng(seed);
  constexpr uint32_t kRateMask = 31;

  // The pauses between lines are taken on a manual clock, not waited out.
  ManualClock clock;
  CameraFixture source(model, kRateMask);
  source.engine.SetClock(&clock);
  source.channel.clock = &clock;
  source.session.SetFactoryMode(factory);
  ASSERT_EQ(source.session.CheckModelAgain(), Outcome::Done);
  const std::vector<ReadCommand> read = CommandsRead(source);
  const std::map<int, int32_t> held = PutRandomSettings(source, read, kRateMask, rng);
  Reload(source.session);
  ASSERT_EQ(WriteSettingFile(source.session, path, variant), Outcome::Done);

  CameraFixture target(model, kRateMask);
  target.engine.SetClock(&clock);
  target.channel.clock = &clock;
  target.session.SetFactoryMode(factory);
  ASSERT_EQ(target.session.CheckModelAgain(), Outcome::Done);
  ASSERT_EQ(LoadSettingFile(target.session, path), Outcome::Done);
  const int compared = ExpectCarriedValues(target, read, variant, held, "after the load");
  Reload(target.session);
  ExpectCarriedValues(target, read, variant, held, "read again");
  EXPECT_GT(compared, 100);
  for (const auto& message : target.presenter.messages)
    ADD_FAILURE() << "message while loading: " << message.text;
}

TEST(SettingFileRoundTripTest, EveryValueTheFileCarriesComesBack) {
  test::TempFolder temp;
  const uint32_t base = BaseSeed();
  uint32_t round = 0;
  for (const char* model : kModels) {
    for (bool factory : {false, true}) {
      for (int r = 0; r < kRoundsPerCase; ++r) {
        const auto variant =
            r % 2 == 0 ? SettingFileVariant::AllData : SettingFileVariant::ShippingData;
        RunRound(model, factory, variant, base + round++, temp / "round.cam");
      }
    }
  }
}

}  // namespace
}  // namespace vistrel
