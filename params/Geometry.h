#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

namespace vistrel::Geometry {

// The sensor-wide region (OFL, HTL, OFC, WTC).
bool IsMainRegionField(int editId);
// Any field of the main or the sequencer region.
bool IsRegionField(int editId);

// Holds a new value of a region field against its partner. False when the value is refused:
// the field then shows the table's value (main region, sequencer offsets) or the largest size
// that fits (sequencer width and height), and nothing is to be sent. Otherwise the partner's
// up-down gets the range that still fits.
bool Accept(HandlerContext& context, int editId, int32_t value);

}  // namespace vistrel::Geometry
