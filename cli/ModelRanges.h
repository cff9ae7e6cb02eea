#pragma once

#include <cstdint>

#include "core/ParameterTable.h"
#include "params/NumberRanges.h"

namespace vistrel {

class CliSession;

// The ranges of the connected camera: its model and the binning and gain modes its number
// ranges follow.
struct ModelRanges {
  RangeInputs inputs;
  int status = 0;  // kExitOk, or the status of the exchange that failed
};

// Checks the model, reads the modes the ranges depend on and sets the table's model ranges.
ModelRanges ReadModelRanges(CliSession& s);

// The range of a row under `inputs`.
void RowRange(const ParameterEntry& row, const RangeInputs& inputs, int32_t& minimum,
              int32_t& maximum);

}  // namespace vistrel
