#include "params/PageLists.h"

namespace vistrel {

void FillPageLists(IControlPanel& panel, int modelCode) {
  for (int ctrlId : ValuedChoiceIds())
    panel.SetItemValues(ctrlId, ChoiceItemValues(ctrlId, modelCode, panel.ChoiceTexts(ctrlId)));
  for (const RefilledChoice& refilled : RefilledChoices())
    panel.RefillChoice(refilled.ctrlId, refilled.items);
}

}  // namespace vistrel
