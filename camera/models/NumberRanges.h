#pragma once

#include <cstdint>

#include "camera/CameraModel.h"
#include "core/ParameterTable.h"

namespace vistrel {

// The values the binning-dependent number ranges depend on.
struct RangeInputs {
  int largestWidth = 4112;
  int largestHeight = 3008;
  bool rlFamily = false;
  ModelNumberLimits limits = kCommonNumberLimits;
  int32_t hb = 1;    // HB: 1 off, 2 x2
  int32_t vb = 1;    // VB
  int32_t sqhb = 1;  // SQHB
  int32_t sqvb = 1;  // SQVB
  int32_t igm = 0;   // IGM: 0 off
};

// The inputs for a model, with its modes off.
RangeInputs ModelRangeInputs(const CameraModel& model);

// The range an up-down control of a number row gets. False for the rows whose up-down keeps
// the range its page gives it.
bool NumberRangeFor(const ParameterEntry& row, const RangeInputs& inputs, int32_t& minimum,
                    int32_t& maximum);

}  // namespace vistrel
