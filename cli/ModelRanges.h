#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "camera/models/NumberRanges.h"
#include "core/ParameterTable.h"

namespace vistrel {

class CliSession;
class JsonWriter;

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

// Whether the camera's `value` for `commandId` lies outside the range of the command's number
// control on the connected model: under `inputs`, or, without them, under every setting of
// the modes (a value some mode allows is not flagged). `range` receives the range said
// ("1..8000000"). False for a command without a number control.
bool OutsideRange(CliSession& s, int commandId, int32_t value, const RangeInputs* inputs,
                  std::string& range);
// `key` with the names of the commands `ids`, when there are any.
void NameListJson(JsonWriter& w, std::string_view key, const std::vector<int>& ids);

// Says on standard error that the camera holds `value` for `commandId` outside `range`, and
// what became of it (`kept`).
void WarnOutsideRange(CliSession& s, int commandId, int32_t value, const std::string& range,
                      const char* kept);

}  // namespace vistrel
