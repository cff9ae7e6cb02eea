#pragma once

#include "params/ControlPanel.h"

namespace vistrel {

// The item values of the signal choices: the code of the signal an entry names, or -1 for a
// text that names no signal.
int32_t SignalCode(const std::string& text);

// Gives the choice controls of the pages their item values (signal codes, binning factors,
// tap geometries, gamma values, ...) and refills the lists that are rebuilt at start. The
// pulse generator clear sources take the signal codes with model codes 2 and 3 only.
void FillPageLists(IControlPanel& panel, int modelCode);

}  // namespace vistrel
