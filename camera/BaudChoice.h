#pragma once

#include <cstdint>
#include <vector>

#include "camera/CameraSession.h"

namespace vistrel {

// The camera's baud-rate choice for a supported-rate mask.
std::vector<ChoiceEntry> CameraBaudEntries(int32_t supportedMask);
// The entry of the camera's baud-rate choice that shows an FCBDRT value.
int CameraBaudEntryFor(int32_t value);
// The entry of the gamma choice that shows a GMA value.
int GammaEntryFor(int32_t value);

}  // namespace vistrel
