#include "params/DelegatedHandlers.h"

#include "params/Identity.h"

namespace vistrel::Delegated {

// WIRED AT MERGE: each point calls its family's handler, e.g.
//   return Adjustments::OnSelect(context, ctrlId);
bool OnAdjustmentSelect(HandlerContext& context, int ctrlId) {
  (void)context, (void)ctrlId;
  return false;
}

bool OnAreaSelectAll(HandlerContext& context, int ctrlId) {
  (void)context, (void)ctrlId;
  return false;
}

bool OnSequencerEntryRead(HandlerContext& context, int32_t index) {
  (void)context, (void)index;
  return false;
}

bool OnSequencerBinning(HandlerContext& context, int ctrlId) {
  (void)context, (void)ctrlId;
  return false;
}

bool OnEntryTableButton(HandlerContext& context, int ctrlId) {
  (void)context, (void)ctrlId;
  return false;
}

bool OnGainModeChanging(HandlerContext& context, int32_t mode) {
  (void)context, (void)mode;
  return false;
}

bool OnGainModeChanged(HandlerContext& context, int32_t mode) {
  (void)context, (void)mode;
  return false;
}

bool OnIdentityControl(HandlerContext& context, int ctrlId) {
  return Identity::OnButton(context, ctrlId) || Identity::OnSelect(context, ctrlId);
}

}  // namespace vistrel::Delegated
