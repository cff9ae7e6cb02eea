#pragma once

#include "params/TableBoundPath.h"

namespace vistrel::Buttons {

// The one-shot buttons: a fixed setting, "Completed" after the long ones. False for another
// control.
bool RunOneShot(HandlerContext& context, int ctrlId);
// The read buttons: one value queried and shown. False for another control.
bool RunRead(HandlerContext& context, int ctrlId);

}  // namespace vistrel::Buttons
