#include "params/CameraLinkCombos.h"

#include "core/ControlIds.h"

namespace vistrel::CameraLinkCombos {

namespace {

// Tap geometries whose pixel formats stop at Mono8 or Mono10.
constexpr int kTapGeometry1X10 = 6;
constexpr int kTapGeometry1X3 = 7;
constexpr int kTapGeometry1X8 = 5;
constexpr int kMono10 = 1;
constexpr int kMono12 = 2;

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

std::vector<ChoiceItem> ConfigurationItems() {
  return {{"Base", 0}, {"Medium", 1}, {"Full", 2}, {"Eighty-Bit", 3}};
}

std::vector<ChoiceItem> SensorClockItems() {
  return {{"37.1MHz", 0}, {"74.3MHz", 1}, {"84.9MHz", 2}};
}

std::vector<ChoiceItem> PixelFormatItems(int tapGeometry) {
  if (tapGeometry == kTapGeometry1X10 || tapGeometry == kTapGeometry1X3)
    return {{"Mono8", 0}};
  if (tapGeometry == kTapGeometry1X8)
    return {{"Mono8", 0}, {"Mono10", 1}};
  return {{"Mono8", 0}, {"Mono10", 1}, {"Mono12", 2}};
}

std::vector<ChoiceItem> TapGeometryItems(int pixelFormat) {
  if (pixelFormat == kMono10)
    return {{"1X2_1Y", 1}, {"1X4_1Y", 3}, {"1X8_1Y", 5}};
  if (pixelFormat == kMono12)
    return {{"1X2_1Y", 1}, {"1X4_1Y", 3}};
  return {{"1X2_1Y", 1}, {"1X3_1Y", 7}, {"1X4_1Y", 3}, {"1X8_1Y", 5}, {"1X10_1Y", 6}};
}

bool IsCameraLinkChoice(int ctrlId) {
  return ctrlId == ctl::CLCFG || ctrlId == ctl::BA || ctrlId == ctl::CLCF || ctrlId == ctl::TAGM;
}

void NoteChoice(CameraLinkState& link, int ctrlId, int value) {
  if (ctrlId == ctl::CLCFG)
    link.clConfiguration = value;
  else if (ctrlId == ctl::BA)
    link.bitAllocation = value;
  else if (ctrlId == ctl::CLCF)
    link.sensorClock = value;
  else if (ctrlId == ctl::TAGM)
    link.tapGeometry = value;
}

void Rebuild(IControlPanel& panel, const CameraLinkState& link) {
  Refill(panel, ctl::CLCFG, ConfigurationItems(), link.clConfiguration);
  Refill(panel, ctl::CLCF, SensorClockItems(), link.sensorClock);
  Refill(panel, ctl::BA, PixelFormatItems(link.tapGeometry), link.bitAllocation);
  Refill(panel, ctl::TAGM, TapGeometryItems(link.bitAllocation), link.tapGeometry);
}

}  // namespace vistrel::CameraLinkCombos
