#pragma once

#include "params/TableBoundPath.h"

namespace vistrel::RawQueries {

// HTL, WTC, OFL, OFC read back into their fields, in that order.
void RequeryRegion(HandlerContext& context);
// CLCFG read back into its choice and the Camera Link state.
void RequeryClConfiguration(HandlerContext& context);
// PE read back into its field; PER, PEG, PEB too while the per-colour exposure is on.
void RequeryExposure(HandlerContext& context);

}  // namespace vistrel::RawQueries
