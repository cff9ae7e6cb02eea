#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/CommandTable.h"
#include "sim/SimModel.h"

namespace vistrel {

// One blemish table: x and y of each entry (entry n at position n - 1); -1 marks an unused
// coordinate.
struct SimBlemishTable {
  std::vector<int32_t> x;
  std::vector<int32_t> y;

  int Count() const;  // entries with both coordinates set
  bool operator==(const SimBlemishTable&) const = default;
};

// The camera's working settings: what a flash area holds.
struct SimSettings {
  std::array<int32_t, CommandTable::kCount> values{};
  std::vector<std::vector<int32_t>> sequencer;  // [entry - 1][field]
  std::array<std::vector<int32_t>, 3> lutPoints;
  std::array<std::array<int32_t, kSimLutChannelEntries>, 3> lutChannels{};
  std::array<SimBlemishTable, kSimBlemishTables> blemish;

  bool operator==(const SimSettings&) const = default;
};

// The settings a camera of this model starts with when nothing was stored.
SimSettings SimDefaultSettings(const SimModel& model);

// Whether a command's value belongs to the working settings (and so to the flash areas).
bool SimIsStoredSetting(const SimModel& model, int id);

// The settings as lines in the camera's own syntax ("PE=2000", "SQW5=1024", "LUTR=12,192",
// "LUTSR=0,128", "BMPXW=5,100"), listing only what differs from `base`.
std::vector<std::string> SimSettingsLines(const SimSettings& settings, const SimSettings& base,
                                          const SimModel& model);
// Applies one such line; false when it is not understood (the settings stay unchanged).
bool SimApplySettingsLine(SimSettings& settings, std::string_view line, const SimModel& model);

}  // namespace vistrel
