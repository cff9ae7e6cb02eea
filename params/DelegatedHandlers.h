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

// ASC 2535, AGC 2536, AWB 1580 selections.
bool OnAdjustmentSelect(HandlerContext& context, int ctrlId);
// "Select all" 2537 / 2540 after the common path.
bool OnAreaSelectAll(HandlerContext& context, int ctrlId);
// The sequencer entry read for an index (1..128).
bool OnSequencerEntryRead(HandlerContext& context, int32_t index);
// SQHB 2785 / SQVB 2786 binning conversion.
bool OnSequencerBinning(HandlerContext& context, int ctrlId);
// Write and Read buttons of the LUT, blemish and sequencer entry tables, the multi-ROI toggle.
bool OnEntryTableButton(HandlerContext& context, int ctrlId);
// The gain field enabling before an individual gain mode change (FGA or FGG usable).
bool OnGainModeChanging(HandlerContext& context, int32_t mode);
// The gain auto enabling and the red and blue gain ranges after it.
bool OnGainModeChanged(HandlerContext& context, int32_t mode);
// The XML version "Read" 2601 and the camera model choice 1853.
bool OnIdentityControl(HandlerContext& context, int ctrlId);

}  // namespace Delegated

}  // namespace vistrel
