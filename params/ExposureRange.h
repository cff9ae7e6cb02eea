#pragma once

#include "params/TableBoundPath.h"

namespace vistrel::ExposureRange {

// After a change of the sensor clock, pixel format, Camera Link configuration, tap geometry or
// trigger mode: the exposure limits from the camera go to every exposure time row and their
// up-down controls, PE and CLCFG are read back. When AR cannot be read the maximum the rows
// had stays.
void Refresh(HandlerContext& context);
// After a sequencer binning change: the same limits, for the sequencer exposure rows only.
void RefreshSequencer(HandlerContext& context);

}  // namespace vistrel::ExposureRange
