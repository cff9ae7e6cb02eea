#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

namespace vistrel::IndividualGain {

// Before the individual gain mode is sent: the gain fields follow the new mode.
void BeforeSend(HandlerContext& context, int32_t mode);
// After it: the gain auto rule, the colour gains read back, the white balance list.
void AfterSend(HandlerContext& context, int32_t mode);

}  // namespace vistrel::IndividualGain
