#include "params/ModelPageSetup.h"

#include <string>
#include <utility>

#include "camera/EntryTables.h"
#include "camera/models/ChoiceLists.h"
#include "camera/models/ModelCatalogue.h"
#include "camera/models/PageChoices.h"
#include "core/ControlIds.h"

namespace vistrel::ModelPageSetup {

namespace {

constexpr const char* kSingleBlemishTitle = "Blemish White";
constexpr const char* kRedBlemishTitle = "Blemish Red";

void RemoveColourEntries(IControlPanel& panel) {
  for (const ColourOnlyEntry& entry : ColourOnlyEntries())
    panel.RemoveChoiceItem(entry.ctrlId, std::string(entry.text));
}

// Puts back the entries of the page form when a list lost some (a monochrome camera was
// connected before), and selects the entry of the row's value again.
void RestoreColourEntries(HandlerContext& context) {
  int previous = 0;
  for (const ColourOnlyEntry& entry : ColourOnlyEntries()) {
    const int ctrlId = entry.ctrlId;
    if (std::exchange(previous, ctrlId) == ctrlId)
      continue;  // one list at a time: its entries come together
    const std::vector<ChoiceItem> entries = PageChoiceEntries(ctrlId, context.session.Model().code);
    if (entries.empty() || context.panel.ChoiceTexts(ctrlId).size() == entries.size())
      continue;
    context.panel.RefillChoice(ctrlId, entries);
    context.panel.ShowParameter(ctrlId, context.table.GetDataValue(ctrlId));
  }
}

}  // namespace

void Apply(HandlerContext& context) {
  const CameraModel& model = context.session.Model();
  IControlPanel& panel = context.panel;
  if (model.IsColour())
    RestoreColourEntries(context);
  else
    RemoveColourEntries(panel);
  for (int ctrlId : ModelDependentControls())
    panel.SetControlVisible(ctrlId, ModelShowsControl(model.code, ctrlId));
  // The sequencer's per-colour fields go with the entry, which the model defines.
  for (const SequencerField& field : SequencerFields()) {
    if (field.perColour)
      panel.SetControlVisible(field.ctrlId, SequencerFieldShown(model, field));
  }
  panel.ShowText(ctl::BlemishTableGroup,
                 model.IsRlFamily() ? kRedBlemishTitle : kSingleBlemishTitle);
}

}  // namespace vistrel::ModelPageSetup
