#pragma once

#include "params/ControlPanel.h"

namespace vistrel {

// Gives the choice controls of the pages their item values (signal codes, binning factors,
// tap geometries, gamma values, ...) for the model and refills the lists that are rebuilt at
// start.
void FillPageLists(IControlPanel& panel, int modelCode);

}  // namespace vistrel
