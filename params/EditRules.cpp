#include "params/EditRules.h"

#include <algorithm>
#include <array>

#include "camera/SequencerRules.h"
#include "camera/models/ControlFacts.h"
#include "core/ControlIds.h"
#include "params/DelegatedHandlers.h"
#include "params/HandlerSupport.h"

namespace vistrel::EditRules {

namespace {

enum class Rule {
  Clamp,              // low .. high
  ClampDone,          // low .. high, then stored and sent at once
  FixedStep,          // down to the control's fixed step
  SequencerIndex,     // low .. high, then the entry of that index is read
  SequencerColumns,   // width or offset: the column step of the horizontal binning
  SequencerGain,      // fixed under the individual gain mode
  SequencerExposure,  // at least the shortest exposure of the binning
};

struct FieldRule {
  int ctrlId;
  Rule rule;
  int32_t low;
  int32_t high;
};

constexpr int32_t kMatrixLimit = 20;
constexpr int32_t kEnhancerMax = 10;
constexpr int32_t kSequencerEntries = 128;

constexpr std::array<FieldRule, 33> kRules = {{
    {ctl::PE, Rule::Clamp, kExposureMin, kExposureMax},
    {ctl::PER, Rule::Clamp, kExposureMin, kExposureMax},
    {ctl::PEG, Rule::Clamp, kExposureMin, kExposureMax},
    {ctl::PEB, Rule::Clamp, kExposureMin, kExposureMax},
    {ctl::AR, Rule::Clamp, kExposureMin, kExposureMax},
    {ctl::OFL, Rule::FixedStep, 0, 0},
    {ctl::OFC, Rule::FixedStep, 0, 0},
    {ctl::CMVRR, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVRG, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVRB, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVGR, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVGG, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVGB, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVBR, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVBG, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CMVBB, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},
    {ctl::CEVALR, Rule::ClampDone, 0, kEnhancerMax},
    {ctl::CEVALCY, Rule::ClampDone, 0, kEnhancerMax},
    {ctl::CEVALG, Rule::ClampDone, 0, kEnhancerMax},
    {ctl::CEVALMG, Rule::ClampDone, 0, kEnhancerMax},
    {ctl::CEVALB, Rule::ClampDone, 0, kEnhancerMax},
    {ctl::CEVALYL, Rule::ClampDone, 0, kEnhancerMax},
    {ctl::SequencerIndex, Rule::SequencerIndex, 1, kSequencerEntries},
    {ctl::SQW, Rule::SequencerColumns, 0, 0},
    {ctl::SQH, Rule::FixedStep, 0, 0},
    {ctl::SQOY, Rule::FixedStep, 0, 0},
    {ctl::SQOX, Rule::SequencerColumns, 0, 0},
    {ctl::SQGA, Rule::SequencerGain, 0, 0},
    {ctl::SQGG, Rule::SequencerGain, 0, 0},
    {ctl::SQPE, Rule::SequencerExposure, 0, 0},
    {ctl::SQPER, Rule::SequencerExposure, 0, 0},
    {ctl::SQPEG, Rule::SequencerExposure, 0, 0},
    {ctl::SQPEB, Rule::SequencerExposure, 0, 0},
}};

const FieldRule* RuleOf(int editId) {
  for (const FieldRule& rule : kRules) {
    if (rule.ctrlId == editId)
      return &rule;
  }
  return nullptr;
}

// The binning a sequencer choice shows (its first entry is binning 1).
int32_t SequencerBinning(const IControlPanel& panel, int ctrlId) {
  return SelectionOf(panel, ctrlId) + 1;
}

}  // namespace

Adjusted Adjust(HandlerContext& context, int editId, int32_t value) {
  const FieldRule* rule = RuleOf(editId);
  if (rule == nullptr)
    return {value, Flow::Continue};
  const IControlPanel& panel = context.panel;
  switch (rule->rule) {
    case Rule::Clamp:
      return {std::clamp(value, rule->low, rule->high), Flow::Continue};
    case Rule::ClampDone:
      return {std::clamp(value, rule->low, rule->high), Flow::Done};
    case Rule::FixedStep:
      return {RoundDownToStep(value, FixedStep(editId).value_or(1)), Flow::Continue};
    case Rule::SequencerIndex: {
      const int32_t index = std::clamp(value, rule->low, rule->high);
      context.panel.SetEditText(editId, std::to_string(index));
      if (const int spin = context.panel.SpinOfEdit(editId); spin != 0)
        context.panel.SetSpinPosition(spin, index);
      Delegated::OnSequencerEntryRead(context, index);
      return {index, Flow::Stopped};
    }
    case Rule::SequencerColumns:
      return {RoundDownToStep(value, SequencerColumnStep(SequencerBinning(panel, ctl::SQHB))),
              Flow::Continue};
    case Rule::SequencerGain:
      return {FixedSequencerGain(editId, SelectionOf(panel, ctl::IGM) != 0).value_or(value),
              Flow::Continue};
    case Rule::SequencerExposure:
      return {std::max(value, SequencerExposureMinimum(SequencerBinning(panel, ctl::SQHB),
                                                       SequencerBinning(panel, ctl::SQVB))),
              Flow::Continue};
  }
  return {value, Flow::Continue};
}

}  // namespace vistrel::EditRules
