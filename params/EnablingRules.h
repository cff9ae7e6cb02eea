#pragma once

#include <cstdint>

#include "params/ControlPanel.h"

namespace vistrel::EnablingRules {

// The controls the exposure mode (EM entry index) enables.
void ApplyExposureMode(IControlPanel& panel, int exposureMode);
// Refills the video send mode list for the exposure mode, keeping the selected entry where it
// stays, and enables the trigger mode unless "Trigger Sequence" is selected.
void RebuildVideoModeList(IControlPanel& panel, int exposureMode);
// AR follows the trigger mode: usable with the first entry only.
void ApplyTriggerMode(IControlPanel& panel, int triggerMode);
// The single or the per-colour exposure times.
void ApplyExposureTimeMode(IControlPanel& panel, int exposureTimeMode);
// The white balance list and its controls for the individual gain and exposure time modes.
void RebuildWhiteBalanceList(IControlPanel& panel, int gainMode, int exposureTimeMode);
// The LUT editor button and the gamma choice follow the LUT mode.
void ApplyLutMode(IControlPanel& panel, int lutMode);
// The phase control fields follow the phase mode.
void ApplyPhaseMode(IControlPanel& panel, int phaseMode);
// The gamma value an entry of the gamma choice stands for.
int32_t GammaForEntry(int entry);

// Every rule above from what the choices show now (after a read or a file load).
void ApplyAll(IControlPanel& panel);

}  // namespace vistrel::EnablingRules
