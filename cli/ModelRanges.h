#pragma once

#include <cstdint>
#include <span>

#include "camera/models/NumberRanges.h"
#include "core/ParameterTable.h"

namespace vistrel {

class CliSession;

// The ranges of the connected camera: its model and the binning and gain modes its number
// ranges follow.
struct ModelRanges {
  RangeInputs inputs;
  int status = 0;  // kExitOk, or the status of the exchange that failed
};

// A mode the number ranges follow: its command, where it goes in the range inputs, and a
// value other than the inputs' default (to learn whether a range depends on the mode).
struct RangeMode {
  const char* name;
  int32_t RangeInputs::*field;
  int32_t other;
};
std::span<const RangeMode> RangeModes();

// Checks the model, reads the modes the ranges depend on and sets the table's model ranges.
ModelRanges ReadModelRanges(CliSession& s);
// As ReadModelRanges, but reads none of the modes: the inputs keep their defaults.
ModelRanges ModelRangesUnread(CliSession& s);
// Reads `mode` into `inputs` when the model has it. kExitOk, or the status of the failed
// exchange.
int ReadRangeMode(CliSession& s, const RangeMode& mode, RangeInputs& inputs);

// The range of a row under `inputs`.
void RowRange(const ParameterEntry& row, const RangeInputs& inputs, int32_t& minimum,
              int32_t& maximum);

}  // namespace vistrel
