#pragma once

#include <string>

#include "camera/CameraSession.h"
#include "camera/LutTables.h"
#include "core/Outcome.h"
#include "core/TimeLimits.h"

namespace vistrel {

// The limit for each entry of a table transfer.
inline constexpr int kLutEntryMs = limits::kLutEntryMs;

// The progress texts of the transfers.
std::string LutReadProgressText(int channel);
inline constexpr const char* kLutWriteProgressText = "Now, writing camera gamma data.";

// Reads the 32 entries of a channel's table: the camera answers the same query with the
// entries in index order. Stops at the first entry that does not come; the entries before it
// keep their new values, the rest their old ones. Levels above 4095 are stored as 4095.
Outcome ReadTableFromCamera(CameraSession& session, int channel, LutTable& table);

// Sends the 32 entries of `table` in index order under the channel's setting command; stops
// at the first entry the camera does not confirm. BadInput (nothing sent) for a channel
// outside 0..2.
Outcome WriteTableToCamera(CameraSession& session, int channel, const LutTable& table);

// Sends `table` under all three channel commands in turn. A channel the camera refuses does
// not keep the next from being written; a camera that is gone or silent ends it.
Outcome WriteTableToAllChannels(CameraSession& session, const LutTable& table);

// How a read of all three tables went.
struct LutReadAll {
  Outcome outcome = Outcome::Done;
  int channelsTried = 0;  // channels whose read was started, red first
};

// Reads red, green and blue in that order and stops at the first that fails.
LutReadAll ReadAllLutTables(CameraSession& session, LutTableSet& tables);

}  // namespace vistrel
