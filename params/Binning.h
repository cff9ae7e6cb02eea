#pragma once

#include "params/TableBoundPath.h"

namespace vistrel::Binning {

// After HB or VB was sent: the camera's factor read back into its choice, the number ranges
// that follow the binning given again, the region read back.
void AfterSend(HandlerContext& context, int ctrlId);

}  // namespace vistrel::Binning
