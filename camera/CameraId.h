#pragma once

#include <optional>
#include <string>

#include "camera/CameraSession.h"

namespace vistrel {

// The code that opens the camera id for writing; the camera takes the id only on the line
// right after it.
inline constexpr int32_t kCameraIdUnlockCode = 6183529;

// The camera id as the camera sent it; no value when the query failed.
Reading<std::string> ReadCameraId(CameraSession& session);
// Unlocks the camera id and writes `cameraId` (at most 10 printable characters).
Outcome WriteCameraId(CameraSession& session, const std::string& cameraId);

// The model name the entry at `position` of the model choice writes; nullopt for none.
std::optional<std::string> ModelIdForEntry(int position);
// Writes the model id of the entry at `position`, whose text the operator sees as
// `entryText`; then runs the model check before reporting success.
Outcome WriteModelId(CameraSession& session, int position, const std::string& entryText);

}  // namespace vistrel
