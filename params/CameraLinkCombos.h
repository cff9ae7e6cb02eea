#pragma once

#include <vector>

#include "camera/CameraSession.h"
#include "params/ControlPanel.h"

namespace vistrel::CameraLinkCombos {

// Whether the control is one of the four (configuration, pixel format, clock, tap geometry).
bool IsCameraLinkChoice(int ctrlId);

// Refills the four choices from the state and selects the entries it holds.
void Rebuild(IControlPanel& panel, const CameraLinkState& link);

}  // namespace vistrel::CameraLinkCombos
