#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

namespace vistrel::EntryTableHandlers {

// The indexed entry tables of the pages: sequencer entries, pixel, LUT and position tables,
// blemish clears, count read-outs and the sensor multi-ROI switch. Each entry point returns
// true when it handled the control completely, false when the control is not one of these.
bool OnSelect(HandlerContext& context, int ctrlId);
bool OnButton(HandlerContext& context, int ctrlId);
bool OnEdit(HandlerContext& context, int ctrlId);
bool OnSpin(HandlerContext& context, int spinId, int32_t position, int32_t step);
bool OnCheck(HandlerContext& context, int ctrlId);

// Reads sequencer entry `entry` into its fields (also run by the read-all pass with the
// index field's value). The caller checks that the camera is connected.
void ReadSequencerEntry(HandlerContext& context, int entry);

}  // namespace vistrel::EntryTableHandlers
