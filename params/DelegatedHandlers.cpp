#include "params/DelegatedHandlers.h"

#include "params/AdjustHandlers.h"
#include "params/EntryTableHandlers.h"
#include "params/Identity.h"

namespace vistrel::Delegated {

bool OnAdjustmentSelect(HandlerContext& context, int ctrlId) {
  return AdjustHandlers::OnSelect(context, ctrlId);
}

bool OnAreaSelectAll(HandlerContext& context, int ctrlId) {
  AdjustHandlers::RefreshAreaSelection(context, ctrlId);
  return true;
}

bool OnSequencerEntryRead(HandlerContext& context, int32_t index) {
  EntryTableHandlers::ReadSequencerEntry(context, index);
  return true;
}

bool OnSequencerBinning(HandlerContext& context, int ctrlId) {
  return EntryTableHandlers::OnSelect(context, ctrlId);
}

bool OnEntryTableButton(HandlerContext& context, int ctrlId) {
  // The multi-ROI toggle is a push button on its page.
  return EntryTableHandlers::OnButton(context, ctrlId) ||
         EntryTableHandlers::OnCheck(context, ctrlId) || AdjustHandlers::OnButton(context, ctrlId);
}

bool OnGainModeChanging(HandlerContext& context, int32_t mode) {
  (void)mode;  // the rule reads the mode from the choice
  AdjustHandlers::ApplyWhiteGainRule(context);
  return true;
}

bool OnGainModeChanged(HandlerContext& context, int32_t mode) {
  (void)mode;
  AdjustHandlers::ApplyGainAutoRule(context);
  return true;
}

bool OnIdentityControl(HandlerContext& context, int ctrlId) {
  return Identity::OnButton(context, ctrlId) || Identity::OnSelect(context, ctrlId);
}

}  // namespace vistrel::Delegated
