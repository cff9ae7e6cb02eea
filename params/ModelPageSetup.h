#pragma once

#include "params/TableBoundPath.h"

namespace vistrel::ModelPageSetup {

// Fits the pages to the connected model: the colour entries of the test pattern and shading
// choices (removed for a monochrome model, put back for a colour one), the colour-only
// controls (hidden outside the RL family; the RL models show those their read-all list reads)
// and the title of the remaining blemish table.
void Apply(HandlerContext& context);

}  // namespace vistrel::ModelPageSetup
