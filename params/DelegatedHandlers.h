#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

namespace vistrel {

// Dispatch points to the handler families that live with their own features: the automatic
// adjustments (ASC, AGC, AWB selections and the "Select all" area refresh), the entry tables
// (sequencer entries, blemish tables, LUT tables: their Write and Read buttons, the sequencer
// entry read and the sequencer binning conversion) and the identity controls (the XML version
// read, the camera model "Set"). Each returns true when it handled the control.
namespace Delegated {

// The ASC, AGC and AWB selections.
bool OnAdjustmentSelect(HandlerContext& context, int ctrlId);
// "Select all" (ALCA, AWBA) after the common path.
bool OnAreaSelectAll(HandlerContext& context, int ctrlId);
// The sequencer entry read for an index (1..128).
bool OnSequencerEntryRead(HandlerContext& context, int32_t index);
// SQHB and SQVB binning conversion.
bool OnSequencerBinning(HandlerContext& context, int ctrlId);
// Write and Read buttons of the LUT, blemish and sequencer entry tables, the multi-ROI toggle.
bool OnEntryTableButton(HandlerContext& context, int ctrlId);
// The gain field enabling before an individual gain mode change (FGA or FGG usable).
bool OnGainModeChanging(HandlerContext& context, int32_t mode);
// The gain auto enabling and the red and blue gain ranges after it.
bool OnGainModeChanged(HandlerContext& context, int32_t mode);
// The XML version "Read" and the camera model choice.
bool OnIdentityControl(HandlerContext& context, int ctrlId);

}  // namespace Delegated

}  // namespace vistrel
