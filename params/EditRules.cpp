#include "params/EditRules.h"

#include <algorithm>
#include <array>

#include "camera/SequencerRules.h"
#include "core/ControlIds.h"
#include "params/DelegatedHandlers.h"
#include "params/HandlerSupport.h"

namespace vistrel::EditRules {

namespace {

enum class Rule {
  Clamp,              // low .. high
  ClampDone,          // low .. high, then stored and sent at once
  Even,               // bit 0 cleared
  Multiple16,         // bits 0-3 cleared
  SequencerIndex,     // low .. high, then the entry of that index is read
  SequencerColumns,   // width or offset: the column step of the horizontal binning
  SequencerLines,     // height or offset: even
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
    {1338, Rule::Clamp, kExposureMin, kExposureMax},       // PE
    {1343, Rule::Clamp, kExposureMin, kExposureMax},       // PER
    {1345, Rule::Clamp, kExposureMin, kExposureMax},       // PEG
    {1347, Rule::Clamp, kExposureMin, kExposureMax},       // PEB
    {1363, Rule::Clamp, kExposureMin, kExposureMax},       // AR
    {1357, Rule::Even, 0, 0},                              // OFL
    {2510, Rule::Multiple16, 0, 0},                        // OFC
    {2627, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVRR
    {2629, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVRG
    {2631, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVRB
    {2632, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVGR
    {2634, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVGG
    {2636, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVGB
    {2638, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVBR
    {2640, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVBG
    {2642, Rule::ClampDone, -kMatrixLimit, kMatrixLimit},  // CMVBB
    {2644, Rule::ClampDone, 0, kEnhancerMax},              // CEVALR
    {2646, Rule::ClampDone, 0, kEnhancerMax},              // CEVALCY
    {2648, Rule::ClampDone, 0, kEnhancerMax},              // CEVALG
    {2658, Rule::ClampDone, 0, kEnhancerMax},              // CEVALMG
    {2660, Rule::ClampDone, 0, kEnhancerMax},              // CEVALB
    {2662, Rule::ClampDone, 0, kEnhancerMax},              // CEVALYL
    {2767, Rule::SequencerIndex, 1, kSequencerEntries},    // sequencer entry index
    {2773, Rule::SequencerColumns, 0, 0},                  // SQW
    {2775, Rule::SequencerLines, 0, 0},                    // SQH
    {2779, Rule::SequencerLines, 0, 0},                    // SQOY
    {2777, Rule::SequencerColumns, 0, 0},                  // SQOX
    {2781, Rule::SequencerGain, 0, 0},                     // SQGA
    {5137, Rule::SequencerGain, 0, 0},                     // SQGG
    {2783, Rule::SequencerExposure, 0, 0},                 // SQPE
    {5131, Rule::SequencerExposure, 0, 0},                 // SQPER
    {5133, Rule::SequencerExposure, 0, 0},                 // SQPEG
    {5135, Rule::SequencerExposure, 0, 0},                 // SQPEB
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
    case Rule::Even:
      return {value & ~1, Flow::Continue};
    case Rule::Multiple16:
      return {value & ~15, Flow::Continue};
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
    case Rule::SequencerLines:
      return {RoundDownToStep(value, kSequencerLineStep), Flow::Continue};
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
