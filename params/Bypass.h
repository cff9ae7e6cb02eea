#pragma once

#include "params/TableBoundPath.h"

namespace vistrel::Bypass {

// The controls the video process bypass switches: with the bypass off their values are read
// from the camera and they are enabled; with it on they are put on their first entry and
// disabled, and nothing is sent.
void Refresh(HandlerContext& context);

}  // namespace vistrel::Bypass
