#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

namespace vistrel::DirectSettings {

// Whether the control sends its own "NAME=value" line past the table.
bool Owns(int ctrlId);
// Sends the control's line ("NAME=value" and the line end, 1000 ms) and what follows it.
// False for another control.
bool Run(HandlerContext& context, int ctrlId);
// The value the camera baud choice sends for an entry: 1, 2, 4 .. 128; 1 for any other.
int32_t CameraBaudValue(int entry);

}  // namespace vistrel::DirectSettings
