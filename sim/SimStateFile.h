#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/SimData.h"
#include "sim/SimSettings.h"

namespace vistrel {

// What a camera keeps in flash besides its working settings.
struct SimIdentity {
  std::string model = kSimDefaultModel;
  std::string userId = kSimUserId;
  std::string cameraId = kSimCameraId;
  std::string deviceVersion = kSimDeviceVersion;
  int32_t xmlVersion = kSimXmlVersion;
};

inline constexpr int kSimAreaCount = 4;  // 0 factory, 1..3 user

// Everything that survives a restart: identity data and the four flash areas.
struct SimStoredState {
  SimIdentity identity;
  std::array<SimSettings, kSimAreaCount> areas;
};

// The state of a camera that never stored anything.
SimStoredState SimFreshState(std::string_view model);

enum class SimStateLoad { Loaded, Missing, Failed };

// Reads a state file. Missing: no file, `state` untouched. Failed: unreadable or not a state
// file (`message` says why), `state` untouched. Loaded: lines that were not understood are
// skipped and counted in `message`.
SimStateLoad SimLoadState(const std::string& path, SimStoredState& state, std::string& message);

// Writes the state atomically: a temporary file in the same folder, flushed to disk, then
// renamed over the old one. False with `message` when that fails; the old file then stays.
bool SimSaveState(const std::string& path, const SimStoredState& state, std::string& message);

}  // namespace vistrel
