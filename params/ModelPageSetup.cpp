#include "params/ModelPageSetup.h"

#include <array>
#include <string_view>

#include "camera/EntryTables.h"
#include "camera/models/ModelCatalogue.h"
#include "camera/models/PageChoices.h"
#include "core/ControlIds.h"

namespace vistrel::ModelPageSetup {

namespace {

struct ColourEntry {
  int ctrlId;
  std::string_view text;
};

// Entries only a colour model offers. "Horizontal Color Bar Moving" is on no page form today;
// an absent entry is skipped.
constexpr std::array<ColourEntry, 4> kColourEntries = {{
    {ctl::TPN, "Horizontal Colorbar"},
    {ctl::TPN, "Vertical Colorbar"},
    {ctl::TPN, "Horizontal Color Bar Moving"},
    {ctl::SDCM, "Color Shading"},
}};

// Controls only colour models have (each with its caption and up-down control).
constexpr std::array kColourControls = {
    // per-colour exposure
    1368, 1343, 1345, 1347,
    // individual colour gains
    1785, 1787, 1789,
    // colour transformation: mode, RGB mode, the nine matrix entries
    2649, 2651, 2627, 2629, 2631, 2632, 2634, 2636, 2638, 2640, 2642,
    // colour enhancer
    2654, 2664, 2656, 2644, 2646, 2648, 2658, 2660, 2662,
    // green and blue blemish tables
    1415, 2871, 1423, 1427, 1441, 2581, 1445, 2872, 1456, 1449, 1460, 2585};

constexpr const char* kSingleBlemishTitle = "Blemish White";
constexpr const char* kRedBlemishTitle = "Blemish Red";

void RemoveColourEntries(IControlPanel& panel) {
  for (const ColourEntry& entry : kColourEntries)
    panel.RemoveChoiceItem(entry.ctrlId, std::string(entry.text));
}

// Puts back the entries of the page form when a list lost some (a monochrome camera was
// connected before), and selects the entry of the row's value again.
void RestoreColourEntries(HandlerContext& context) {
  for (int ctrlId : {ctl::TPN, ctl::SDCM}) {
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
  for (int ctrlId : kColourControls) {
    const bool shown = model.IsRlFamily() && ModelSupportsControl(model.code, ctrlId);
    panel.SetControlVisible(ctrlId, shown);
  }
  // The sequencer's per-colour fields go with the entry, which the model defines.
  for (const SequencerField& field : SequencerFields()) {
    if (field.perColour)
      panel.SetControlVisible(field.ctrlId, SequencerFieldShown(model, field));
  }
  panel.ShowText(ctl::BlemishTableGroup,
                 model.IsRlFamily() ? kRedBlemishTitle : kSingleBlemishTitle);
}

}  // namespace vistrel::ModelPageSetup
