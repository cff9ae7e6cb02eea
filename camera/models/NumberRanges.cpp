#include "camera/models/NumberRanges.h"

#include <algorithm>
#include <array>

#include "core/CommandTable.h"
#include "core/ControlIds.h"

namespace vistrel {

namespace {

// Rows whose up-down control keeps the range of its page: the baud rate limit, the multi-ROI
// mode, the colour matrix and the enhancer.
constexpr std::array kPageRanges = {
    ctl::BaudLimitText, ctl::MultiRoiMode, ctl::CMVRR,   ctl::CMVRG,   ctl::CMVRB,
    ctl::CMVGR,         ctl::CMVGG,        ctl::CMVGB,   ctl::CMVBR,   ctl::CMVBG,
    ctl::CMVBB,         ctl::CEVALR,       ctl::CEVALCY, ctl::CEVALG,  ctl::EDGEN,
    ctl::COLEN,         ctl::CEVALMG,      ctl::CEVALB,  ctl::CEVALYL, ctl::EDGLV};

bool Is(const ParameterEntry& row, std::string_view name) {
  return CommandTable::Name(row.commandId) == name;
}

}  // namespace

RangeInputs ModelRangeInputs(const CameraModel& model) {
  RangeInputs inputs;
  inputs.largestWidth = model.LargestWidth();
  inputs.largestHeight = model.LargestHeight();
  inputs.rlFamily = model.IsRlFamily();
  inputs.limits = model.Record().limits;
  return inputs;
}

bool NumberRangeFor(const ParameterEntry& row, const RangeInputs& in, int32_t& minimum,
                    int32_t& maximum) {
  if (std::ranges::find(kPageRanges, row.ctrlId) != kPageRanges.end())
    return false;
  minimum = row.minimum;
  maximum = row.maximum;
  const int32_t halfHeight = in.largestHeight / 2;
  const ModelNumberLimits& limits = in.limits;
  if (Is(row, "WTC") || Is(row, "SQW")) {
    const bool binned = (Is(row, "WTC") ? in.hb : in.sqhb) == 2;
    maximum = binned ? in.largestWidth / 2 : in.largestWidth;
    minimum = binned ? limits.leastBinnedWidth : limits.leastWidth;
  } else if (Is(row, "HTL") || Is(row, "SQH")) {
    const bool binned = (Is(row, "HTL") ? in.vb : in.sqvb) == 2;
    maximum = binned ? halfHeight : in.largestHeight;
  } else if (Is(row, "OFL") || Is(row, "SQOY")) {
    const bool binned = (Is(row, "OFL") ? in.vb : in.sqvb) == 2;
    maximum = binned ? halfHeight - limits.binnedOffsetMargin : limits.largestOffsetY;
  } else if (Is(row, "SQGR") || Is(row, "SQGG") || Is(row, "SQGB")) {
    maximum = in.igm != 0 ? limits.individualGainMaximum : limits.gainMaximum;
    minimum = in.igm != 0 ? limits.individualGainMinimum : limits.gainMinimum;
  } else if (Is(row, "SQPE") || Is(row, "SQPER") || Is(row, "SQPEG") || Is(row, "SQPEB")) {
    if (in.rlFamily)
      minimum = (in.sqhb == 2 || in.sqvb == 2) ? limits.leastBinnedPeriod : 1;
  }
  return true;
}

}  // namespace vistrel
