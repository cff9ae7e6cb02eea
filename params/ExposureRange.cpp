#include "params/ExposureRange.h"

#include <algorithm>
#include <array>

#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "params/HandlerSupport.h"
#include "params/RawQueries.h"

namespace vistrel::ExposureRange {

namespace {

// The camera needs this many microseconds of the frame period besides the exposure.
constexpr int32_t kFrameOverhead = 18;

constexpr std::array kMainRows = {ctl::PE, ctl::PER, ctl::PEG, ctl::PEB};
constexpr std::array kSequencerRows = {ctl::SQPE, ctl::SQPER, ctl::SQPEG, ctl::SQPEB};

// The largest exposure: unlimited while a trigger mode is chosen, else the frame period less
// the overhead; the rows keep the maximum they have when the period cannot be read.
int32_t Maximum(HandlerContext& context) {
  if (SelectionOf(context.panel, ctl::TM) != 0)
    return kExposureMax;
  int32_t period = 0;
  if (context.engine.GetValue(cmd::AR, period, kHandlerQueryMs) == Outcome::Done)
    return std::max(kExposureMin, period - kFrameOverhead);
  int32_t minimum = 0;
  int32_t maximum = kExposureMax;
  context.table.GetRange(ctl::PE, minimum, maximum);
  return maximum;
}

template <size_t N>
void SetRows(HandlerContext& context, const std::array<int, N>& rows, int32_t maximum) {
  for (int row : rows)
    context.table.SetRange(row, kExposureMin, maximum);
}

// The binning the minimum depends on is asked for; the minimum itself is 1.
int32_t Limits(HandlerContext& context) {
  RawQuery(context, "HB");
  RawQuery(context, "VB");
  return Maximum(context);
}

}  // namespace

void Refresh(HandlerContext& context) {
  const int32_t maximum = Limits(context);
  SetRows(context, kMainRows, maximum);
  SetRows(context, kSequencerRows, maximum);
  context.panel.ApplyRanges();
  RawRequery(context, "PE", ctl::PE);
  RawQueries::RequeryClConfiguration(context);
}

void RefreshSequencer(HandlerContext& context) {
  const int32_t maximum = Limits(context);
  SetRows(context, kSequencerRows, maximum);
  context.panel.ApplyRanges();
}

}  // namespace vistrel::ExposureRange
