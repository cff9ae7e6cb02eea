#include "params/Geometry.h"

#include <array>
#include <optional>
#include <string>

#include "camera/SequencerRules.h"
#include "core/ControlIds.h"
#include "params/HandlerSupport.h"

namespace vistrel::Geometry {

namespace {

enum class Axis { Columns, Lines };

struct RegionPair {
  int changed;
  int partner;
  Axis axis;
  int32_t partnerMinimum;  // the low end of the partner's up-down range
  bool sequencer;
  bool size;  // the changed field is the width or height
};

constexpr std::array<RegionPair, 8> kPairs = {{
    {ctl::OFL, ctl::HTL, Axis::Lines, 8, false, false},
    {ctl::HTL, ctl::OFL, Axis::Lines, 0, false, true},
    {ctl::OFC, ctl::WTC, Axis::Columns, 96, false, false},
    {ctl::WTC, ctl::OFC, Axis::Columns, 0, false, true},
    {ctl::SQW, ctl::SQOX, Axis::Columns, 0, true, true},
    {ctl::SQOX, ctl::SQW, Axis::Columns, 96, true, false},
    {ctl::SQH, ctl::SQOY, Axis::Lines, 0, true, true},
    {ctl::SQOY, ctl::SQH, Axis::Lines, 8, true, false},
}};

const RegionPair* PairOf(int editId) {
  for (const RegionPair& pair : kPairs) {
    if (pair.changed == editId)
      return &pair;
  }
  return nullptr;
}

int32_t SequencerBinning(const IControlPanel& panel, Axis axis) {
  return SelectionOf(panel, axis == Axis::Columns ? ctl::SQHB : ctl::SQVB) + 1;
}

int32_t Limit(const HandlerContext& context, const RegionPair& pair) {
  const CameraModel& model = context.session.Model();
  if (!pair.sequencer)
    return pair.axis == Axis::Columns ? model.LargestWidth() : model.LargestHeight();
  const int32_t binning = SequencerBinning(context.panel, pair.axis);
  return pair.axis == Axis::Columns ? SequencerColumnLimit(model, binning)
                                    : SequencerLineLimit(model, binning);
}

// The partner's value: the table's for the main region; for the sequencer region the value
// its field shows, rounded down to the step the camera takes.
int32_t PartnerValue(HandlerContext& context, const RegionPair& pair) {
  if (!pair.sequencer)
    return context.table.GetDataValue(pair.partner);
  const int32_t shown = ParseWholeNumber(context.panel.EditText(pair.partner)).value_or(0);
  if (pair.axis == Axis::Lines)
    return RoundDownToStep(shown, kSequencerLineStep);
  return RoundDownToStep(shown,
                         SequencerColumnStep(SequencerBinning(context.panel, Axis::Columns)));
}

void ShowInField(IControlPanel& panel, int editId, int32_t value) {
  panel.SetEditText(editId, std::to_string(value));
  if (const int spin = panel.SpinOfEdit(editId); spin != 0)
    panel.SetSpinPosition(spin, value);
}

}  // namespace

bool IsMainRegionField(int editId) {
  const RegionPair* pair = PairOf(editId);
  return pair != nullptr && !pair->sequencer;
}

bool IsRegionField(int editId) {
  return PairOf(editId) != nullptr;
}

bool Accept(HandlerContext& context, int editId, int32_t value) {
  const RegionPair* pair = PairOf(editId);
  if (pair == nullptr)
    return true;
  const int32_t limit = Limit(context, *pair);
  const int32_t partner = PartnerValue(context, *pair);
  if (static_cast<int64_t>(value) + partner > limit) {
    if (pair->sequencer && pair->size)
      ShowInField(context.panel, editId, limit - partner);
    else
      RestoreField(context, editId);
    return false;
  }
  if (const int spin = context.panel.SpinOfEdit(pair->partner); spin != 0)
    context.panel.SetSpinRange(spin, pair->partnerMinimum, limit - value);
  return true;
}

}  // namespace vistrel::Geometry
