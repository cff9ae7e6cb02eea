#include "params/CameraLinkCombos.h"

#include "core/ControlIds.h"

namespace vistrel::CameraLinkCombos {

namespace {

// Selects the entry whose value is `value`; none when no entry has it.
void SelectValue(IControlPanel& panel, int ctrlId, const std::vector<ChoiceItem>& items,
                 int value) {
  int index = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].value == value)
      index = static_cast<int>(i);
  }
  panel.SelectIndex(ctrlId, index);
}

void Refill(IControlPanel& panel, int ctrlId, const std::vector<ChoiceItem>& items, int value) {
  panel.RefillChoice(ctrlId, items);
  SelectValue(panel, ctrlId, items, value);
}

}  // namespace

bool IsCameraLinkChoice(int ctrlId) {
  return ctrlId == ctl::CLCFG || ctrlId == ctl::BA || ctrlId == ctl::CLCF || ctrlId == ctl::TAGM;
}

void Rebuild(IControlPanel& panel, const CameraLinkState& link) {
  Refill(panel, ctl::CLCFG, ConfigurationItems(), link.clConfiguration);
  Refill(panel, ctl::CLCF, SensorClockItems(), link.sensorClock);
  Refill(panel, ctl::BA, PixelFormatItems(link.tapGeometry), link.bitAllocation);
  Refill(panel, ctl::TAGM, TapGeometryItems(link.bitAllocation), link.tapGeometry);
}

}  // namespace vistrel::CameraLinkCombos
