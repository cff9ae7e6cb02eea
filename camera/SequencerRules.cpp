#include "camera/SequencerRules.h"

#include <algorithm>

#include "core/ControlIds.h"

namespace vistrel {

namespace {

constexpr int32_t kColumnStep = 16;
constexpr int32_t kBinnedColumnStep = 8;
constexpr int32_t kBinnedExposureMinimum = 3;
constexpr int32_t kShortestExposure = 1;
constexpr int32_t kFixedGain = 100;

bool Binned(int32_t binning) {
  return binning == 2;
}

int32_t Factor(int32_t binning) {
  return Binned(binning) ? 2 : 1;
}

// An entry with the fields given, as the rules read it.
class EntryView {
 public:
  EntryView(const SequencerValues& entry, const SequencerGiven& given)
      : entry_(entry), given_(given) {}
  std::optional<int32_t> At(int ctrlId) const { return entry_[SequencerFieldIndex(ctrlId)]; }
  bool Given(int ctrlId) const { return given_[SequencerFieldIndex(ctrlId)]; }
  int32_t Binning(int ctrlId) const { return At(ctrlId).value_or(1); }

 private:
  const SequencerValues& entry_;
  const SequencerGiven& given_;
};

std::string Named(int ctrlId, int32_t value) {
  return std::string(SequencerFields()[SequencerFieldIndex(ctrlId)].name) + "=" +
         std::to_string(value);
}

std::string CheckSteps(const EntryView& e) {
  const int32_t hb = e.Binning(ctl::SQHB);
  const int32_t step = SequencerColumnStep(hb);
  for (int ctrlId : {ctl::SQW, ctl::SQOX}) {
    const auto value = e.At(ctrlId);
    if (value && (e.Given(ctrlId) || e.Given(ctl::SQHB)) && RoundDownToStep(*value, step) != *value)
      return Named(ctrlId, *value) + " is not a multiple of " + std::to_string(step) +
             " (horizontal binning " + std::to_string(Factor(hb)) + ")";
  }
  for (int ctrlId : {ctl::SQH, ctl::SQOY}) {
    const auto value = e.At(ctrlId);
    if (value && e.Given(ctrlId) && RoundDownToStep(*value, kSequencerLineStep) != *value)
      return Named(ctrlId, *value) + " is not even";
  }
  return {};
}

std::string CheckRegion(const EntryView& e, const CameraModel& model, bool columns) {
  const int size = columns ? ctl::SQW : ctl::SQH;
  const int offset = columns ? ctl::SQOX : ctl::SQOY;
  const int binningField = columns ? ctl::SQHB : ctl::SQVB;
  const auto s = e.At(size);
  const auto o = e.At(offset);
  if (!s || !o || !(e.Given(size) || e.Given(offset) || e.Given(binningField)))
    return {};
  const int32_t binning = e.Binning(binningField);
  const int32_t limit =
      columns ? SequencerColumnLimit(model, binning) : SequencerLineLimit(model, binning);
  if (static_cast<int64_t>(*s) + *o <= limit)
    return {};
  return Named(size, *s) + " with " + Named(offset, *o) + " goes beyond " + std::to_string(limit) +
         (columns ? " columns" : " lines") + " (the sensor's " + (columns ? "width" : "height") +
         " at " + (columns ? "horizontal" : "vertical") + " binning " +
         std::to_string(Factor(binning)) + ")";
}

std::string CheckExposures(const EntryView& e) {
  const int32_t minimum = SequencerExposureMinimum(e.Binning(ctl::SQHB), e.Binning(ctl::SQVB));
  const bool binningGiven = e.Given(ctl::SQHB) || e.Given(ctl::SQVB);
  for (int ctrlId : {ctl::SQPE, ctl::SQPER, ctl::SQPEG, ctl::SQPEB}) {
    const auto value = e.At(ctrlId);
    if (value && (e.Given(ctrlId) || binningGiven) && *value < minimum)
      return Named(ctrlId, *value) + " is below " + std::to_string(minimum) +
             ", the shortest exposure with binning 2";
  }
  return {};
}

std::string CheckGains(const EntryView& e, bool individualGain) {
  for (int ctrlId : {ctl::SQGA, ctl::SQGG}) {
    const auto value = e.At(ctrlId);
    const auto fixed = FixedSequencerGain(ctrlId, individualGain);
    if (value && fixed && e.Given(ctrlId) && *value != *fixed)
      return Named(ctrlId, *value) + ": this gain is fixed at " + std::to_string(*fixed) +
             " while the individual gain mode is " + (individualGain ? "on" : "off");
  }
  return {};
}

}  // namespace

int32_t SequencerColumnStep(int32_t horizontalBinning) {
  return Binned(horizontalBinning) ? kBinnedColumnStep : kColumnStep;
}

int32_t RoundDownToStep(int32_t value, int32_t step) {
  const int32_t rest = ((value % step) + step) % step;
  return value - rest;
}

int32_t SequencerColumnLimit(const CameraModel& model, int32_t horizontalBinning) {
  return model.LargestWidth() / Factor(horizontalBinning);
}

int32_t SequencerLineLimit(const CameraModel& model, int32_t verticalBinning) {
  return model.LargestHeight() / Factor(verticalBinning);
}

int32_t SequencerExposureMinimum(int32_t horizontalBinning, int32_t verticalBinning) {
  return Binned(horizontalBinning) || Binned(verticalBinning) ? kBinnedExposureMinimum
                                                              : kShortestExposure;
}

std::optional<int32_t> FixedSequencerGain(int ctrlId, bool individualGain) {
  if ((ctrlId == ctl::SQGA && individualGain) || (ctrlId == ctl::SQGG && !individualGain))
    return kFixedGain;
  return std::nullopt;
}

std::string CheckSequencerEntry(const CameraModel& model, bool individualGain,
                                const SequencerValues& entry, const SequencerGiven& given) {
  const EntryView view(entry, given);
  for (std::string broken :
       {CheckSteps(view), CheckRegion(view, model, true), CheckRegion(view, model, false),
        CheckExposures(view), CheckGains(view, individualGain)}) {
    if (!broken.empty())
      return broken;
  }
  return {};
}

}  // namespace vistrel
