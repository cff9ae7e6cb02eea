#pragma once

#include <vector>

#include "camera/CameraSession.h"

namespace vistrel {

// Whether the read-all pass reads the row at `rowIndex` for the session's model and mode.
bool IsRowReadForModel(const CameraSession& session, int rowIndex);

// Reads every parameter the model supports into the table, with progress. Returns the rows
// that were read successfully, in table order.
std::vector<int> ReadAll(CameraSession& session);

// The whole reload: model check, read-all, synchronising the table and the pages, and the
// camera's baud-rate choice. False when the camera did not answer the model query (the pass
// then still runs with the previous model, as the pages must show something).
bool Reload(CameraSession& session);

// Fills the camera's baud-rate choice from the supported-rate mask and selects the current
// rate.
void FillCameraBaudChoice(CameraSession& session);

}  // namespace vistrel
